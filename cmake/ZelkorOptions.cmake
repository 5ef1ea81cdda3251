# One place for the language level, warnings and definitions of our own code.
add_library(zelkor_options INTERFACE)
add_library(zelkor::options ALIAS zelkor_options)
target_compile_features(zelkor_options INTERFACE cxx_std_20)
target_compile_options(zelkor_options INTERFACE -Wall -Wextra -Werror -Wpedantic
  # GCC 12 at -O3 reports impossible overlaps inside std::string concatenation (a known false
  # positive of its restrict analysis).
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
target_compile_definitions(zelkor_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY)
target_include_directories(zelkor_options INTERFACE ${PROJECT_SOURCE_DIR})

# Adds a subsystem directory only once it has a CMakeLists.txt, so folders can land one by one.
function(zelkor_optional_subdirectory dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()
