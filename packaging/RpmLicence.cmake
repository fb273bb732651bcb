# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack as it stages each package: the RPM carries the licence text itself, where RPM-based
# systems keep licences, as they hold no common copy of it. The .deb does not: its copyright
# file points to Debian's /usr/share/common-licenses/GPL-3, and lintian refuses a second copy.
# file(INSTALL) puts the file under DESTDIR, the staging folder.
if(CPACK_GENERATOR STREQUAL "RPM")
    file(INSTALL ${CPACK_TOVELO_LICENCE} DESTINATION ${CMAKE_INSTALL_PREFIX}/share/licenses/tovelo2)
endif()
