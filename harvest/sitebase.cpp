#include "harvest/sitebase.h"

#include "text/between.h"

namespace zelkor {
namespace {

Text& Current() {
    static Text siteBase = ZELKOR_SITE_BASE;
    return siteBase;
}

}  // namespace

const Text& SiteBase() {
    return Current();
}

void SetSiteBase(Text siteBase) {
    Current() = std::move(siteBase);
}

bool IsUsableSiteBase(std::string_view address) {
    const Text lower = ToLower(address);
    const std::string_view scheme = lower.starts_with("https://") ? "https://" : "http://";
    if (!lower.starts_with(scheme) || !lower.ends_with("/")) {
        return false;
    }
    const std::string_view rest = std::string_view(lower).substr(scheme.size());
    const std::size_t hostEnd = rest.find('/');
    const std::string_view host = rest.substr(0, hostEnd);
    if (host.empty() || host.front() == ':' || host.front() == '?' || host.front() == '#') {
        return false;
    }
    // Only printable ASCII without spaces can stand in an address that is sent as it is.
    for (const char c : address) {
        if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace zelkor
