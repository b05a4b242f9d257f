# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows against the Qt whose prefix holds this file, beside
# mingw-w64-bootstrap.cmake (tools/windows/build-qt.sh puts both there). Use:
#   cmake -DCMAKE_TOOLCHAIN_FILE=<Qt prefix>/mingw-w64-x86_64.cmake ...
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-bootstrap.cmake")
set(CMAKE_FIND_ROOT_PATH "${CMAKE_CURRENT_LIST_DIR}" /usr/x86_64-w64-mingw32)
set(CMAKE_PREFIX_PATH "${CMAKE_CURRENT_LIST_DIR}")
# Debian's own Qt of the same version supplies the host tools (moc, rcc, uic).
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
