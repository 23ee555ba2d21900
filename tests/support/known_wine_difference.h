// Checks where Wine's Direct3D 8 is known to behave otherwise than Windows' do not hold the
// Windows build's runs under Wine to Windows' behaviour: the check is made on every other
// Direct3D 8 and, under Wine, reported with what shows the Windows behaviour.
#ifndef VELKOR_TESTS_SUPPORT_KNOWN_WINE_DIFFERENCE_H
#define VELKOR_TESTS_SUPPORT_KNOWN_WINE_DIFFERENCE_H

// True, after reporting `difference` and its `evidence`, when the test runs under Wine.
bool KnownWineDifference(const char* difference, const char* evidence);

#endif
