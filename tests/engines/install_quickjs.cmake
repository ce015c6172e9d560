# SPDX-License-Identifier: MIT
# Installs QuickJS for node (the npm package quickjs-emscripten, at a fixed version) into
# PREFIX inside the build tree, once; the engine tests run TIC-80's JavaScript with it.
# Usage: cmake -DPREFIX=DIR -P install_quickjs.cmake
set(version 0.32.0)
set(marker ${PREFIX}/node_modules/quickjs-emscripten/package.json)
if(EXISTS ${marker})
    file(READ ${marker} installed)
    if(installed MATCHES "\"version\": \"${version}\"")
        return()
    endif()
endif()
find_program(NPM npm)
if(NOT NPM)
    message(FATAL_ERROR "npm is missing: scripts/dev.sh installs it")
endif()
file(MAKE_DIRECTORY ${PREFIX})
execute_process(
    COMMAND ${NPM} install --prefix ${PREFIX} --no-save --no-audit --no-fund --loglevel=error
            quickjs-emscripten@${version}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "npm could not install quickjs-emscripten@${version}")
endif()
