#pragma once

#include <QString>
#include <string_view>

namespace zelkor {

// Placeholders: they point to no real site, share or person.
inline constexpr std::string_view kCloudDriveShareAddress =
    "https://clouddrive.example/s/zelkor-sources";
inline constexpr std::string_view kAboutSiteAddress = "http://www.zelkor-resources.example/";
inline constexpr std::string_view kAboutContactNumber = "000-0000-0000";

QString AboutTitle();
// Four lines: what the tool is and the site's address; what it does; where the author's other
// packages are, with the share address; a contact number.
QString AboutText();

// Shows the About box, modal to the whole program, and returns when the user closes it.
void ShowAbout();
// Opens the share page in the user's browser; does not wait and reports nothing.
void OpenCloudDriveShare();

}  // namespace zelkor
