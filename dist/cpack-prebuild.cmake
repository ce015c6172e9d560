# SPDX-License-Identifier: MIT
# Run by CPack on the staged files before it builds the .deb: Debian packages carry their
# manual pages compressed with gzip -9n (no time stamp, so rebuilds give the same bytes).
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf "${page}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
