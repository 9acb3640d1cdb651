# A Debian package of the installed tree (cmake/InstallRules.cmake), made by
# `cpack -G DEB` in the build folder: lorvane_VERSION_ARCH.deb.
set(CPACK_PACKAGE_NAME lorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lorvane developers")
set(CPACK_PACKAGE_CONTACT "The Lorvane developers <lorvane@example.org>")
set(LORVANE_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}" CACHE STRING
    "Maintainer field of the Debian package: a name and an e-mail address")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LORVANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "flash-card trainer and desktop companion for English vocabulary")
set(CPACK_PACKAGE_DESCRIPTION [=[
Two desktop programs for Chinese-speaking learners of English vocabulary,
with a Chinese user interface:

 - Lorvane, the flash-card trainer: six card boxes, a typed-spelling drill
   with hints and comments, spoken words and example sentences, recording
   and replaying your own reading, progress saved with each lesson.
 - Miselle, the desktop companion: a tiny always-on-top window that shows
   one meaning at a time while you work at something else.

Lessons of basic words, everyday phrases and exam vocabulary are included.]=])
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from the programs themselves (dpkg-shlibdeps, which
# brings Qt's xcb platform plugin with libqt6gui6 and the sound backends with
# libqt6multimedia6). What they load only at run time is named here: the
# voice (libespeak-ng, opened by the programs themselves so that without it
# they can say what is missing) and its data, a font with Chinese
# characters, the Chinese texts of Qt's own buttons, and the desktop's
# document opener.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libespeak-ng1, espeak-ng-data, fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n, xdg-utils")
# libflite's three natural English voices, also loaded at run time: wanted on
# almost every machine (they sound far less robotic, and its pronouncing
# dictionary gives the transcriptions), so apt installs them by default; but
# the programs run well without them (27 MB installed), so a small system
# may leave them out.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libflite1")
include(CPack)
