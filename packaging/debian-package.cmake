# The Debian package, built by CPack: `cpack -G DEB` in the build folder, or
# scripts/package for a release build. Its version is the project's.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME boardpanel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Board Panel developers <developers@boardpanel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control panel for a USB measurement board")
# Debian shows the description as it is written: lines of up to 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Board Panel opens one window per instrument of a small measurement board\n"
  "that shows up as a serial port (USB vendor id 0d28): a voltmeter, an\n"
  "accelerometer and an oscilloscope with live plots, a counter and a PWM\n"
  "generator. Each window finds the board among the serial ports by itself.\n"
  "\n"
  "A udev rule gives the user logged in at the computer access to the\n"
  "board's port, without joining a group.\n"
  "\n"
  "boardpanel-record records an instrument without a window, also as a\n"
  "systemd service, and can publish the readings to an MQTT broker.\n"
  "boardpanel-serve lets scripts drive the board over SCPI on a TCP port.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# No Homepage: the project has no public address yet.
# Depends comes from the libraries the binary links, as dpkg-shlibdeps finds them
# (Qt, QCustomPlot, FFTW 3 for the spectra: libfftw3-double3; libmosquitto1
# for the recorder's publishing; libmuparser2v5 for the computed channels'
# formulas).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own dialogs in German and Spanish, for a user who chooses one.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qttranslations5-l10n)
# What installing and removing tell systemd and udev about the unit and the
# rule.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/postinst ${CMAKE_CURRENT_LIST_DIR}/prerm
    ${CMAKE_CURRENT_LIST_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
