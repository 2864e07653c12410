#!/usr/bin/env bash
# The files every Linux install of vexal holds, relative to its prefix, one
# a line: check_install.sh and check_deb.sh require each of them.
cat <<'LIST'
bin/vexal
lib/vexal/libvexal.so
lib/vexal/libpl_runtime.so
lib/vexal/libvexal-mod.so
lib/vexal/libvexalcheck.so
lib/vexal/vexal/__init__.py
lib/vexal/vexal/_checker.py
lib/vexal/vexal/_library.py
lib/vexal/libvexal_host_support.a
lib/vexal/cmake/vexalConfig.cmake
lib/vexal/cmake/vexalConfigVersion.cmake
lib/vexal/cmake/vexalTargets.cmake
include/vexal/pl/plausi.h
include/vexal/pl/runtime_context.h
include/vexal/model/record_definition.h
include/vexal/frame/exports.h
include/vexal/host/record_input.h
include/vexal/check.h
share/doc/vexal/examples/c/check_file.c
share/doc/vexal/README.md
share/doc/vexal/docs/findings.md
share/doc/vexal/docs/c-api.md
share/doc/vexal/examples/transmission.txt
LIST
