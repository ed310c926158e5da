#pragma once

namespace mx {

// Help contexts of the help pages.
enum HelpContext : int {
    hcNone = 0,
    hcAbout = 10000,
    hcMainWindow = 40000,
    hcTape = 42000,
    hcFormula = 45000,
    hcStatistics = 50000,
    hcMessages = 60000,
    hcOptions = 80000
};

} // namespace mx
