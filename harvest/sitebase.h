#pragma once

#include <string_view>

#include "text/text.h"

namespace zelkor {

// The resource site's address: an http(s) address ending in "/", set at build time (SITE_BASE).
// Every site address the harvests and the download request make begins with it.
const Text& SiteBase();

// Points the program at another site (the command-line tool's --site-base, tests on loopback).
void SetSiteBase(Text siteBase);

// Whether `address` can serve as the site base: http:// or https://, a host, and a final "/".
bool IsUsableSiteBase(std::string_view address);

}  // namespace zelkor
