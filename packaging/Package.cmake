# make package: a Debian package of what make install installs. dpkg-shlibdeps names the
# libraries the program and its plugins link; the rest is what they load at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ballmere-pro)
set(CPACK_PACKAGE_VENDOR "Ballmere Pro")
set(CPACK_PACKAGE_CONTACT "Ballmere Pro <ballmere-pro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Lottery number picker with a draw database and statistics")
set(CPACK_PACKAGE_DESCRIPTION
  "Draws random lines of 1 to 7 numbers on rolling counters, keeps a database of a game's past
draws, checks saved lines against a winning line and charts how often each number was drawn.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Loaded as plugins rather than linked: the window system, sound, TLS for https addresses, and the
# faces of the captions and of the lists of drawn lines.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-dejavu-extra, libssl3")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
include(CPack)
