#pragma once

#include <memory>

namespace mx {

class Report;

// The report that prints the history tape: A4 portrait, margins 20/10/20/20 mm; a title
// band with the product mark, [AppName] and [SiteName]; a page header with its top line
// (PageTopLine) and [PageHeader] (lbPageHeader); the data band with the tape (meHistory)
// in a fixed-pitch face, right-aligned; a footer with the date, the time and "N of M". Before
// each page header, page 1 hides the top line and sizes the header by
// PageHeaderFirstFontSize, later pages show it and use PageHeaderNextFontSize.
std::shared_ptr<Report> makeHistoryReport();

} // namespace mx
