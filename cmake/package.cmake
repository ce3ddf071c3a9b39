# The Debian package: `cpack -G DEB` in the build folder (./run package), from the install
# rules, with its dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME radioprog)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_VENDOR "radioprog developers")
set(CPACK_PACKAGE_CONTACT "radioprog developers <developers@radioprog.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for a 16-channel VHF hand-held radio")
# The synopsis is the summary; CPack indents these lines and turns the empty one into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Connect the radio with its serial or USB cable, log in as Admin or User,
read the radio's memory, edit its 16 channels (frequencies, CTCSS and DCS
tones, power, bandwidth, busy lock, scan), its optional features, scan
settings, band and User password, keep it in .dat files, print a report and
write it back. In English and Chinese.

The package holds the desktop program radioprog, the command-line tool
radioprog-cli and radioprog-sim, a simulated radio on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://radioprog.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The report's fonts, Qt's Chinese buttons and the browser for the help pages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation2, fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n, xdg-utils")
# Files are owned by root whoever builds the package.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
