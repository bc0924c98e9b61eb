#pragma once
// The pages the program opens in the browser. The program has no web site: both addresses are
// help pages shipped with the program.

#include <QUrl>

namespace ssq {

// Paths relative to the shipped files' folder (appPaths()).
inline constexpr char16_t kHomePage[] = u"help/index.html";
inline constexpr char16_t kDownloadPage[] = u"help/import.html";

// The welcome window's home-page button.
QUrl homePageUrl();
// Where the draw history comes from: the page that explains importing it.
QUrl downloadPageUrl();

} // namespace ssq
