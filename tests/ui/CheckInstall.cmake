# Installs the build into a scratch prefix, as `cmake --install` would on a
# desktop, and checks that a desktop menu finds the program: the executable,
# its desktop entry with the names, command and icon, the icon itself, and what
# a software centre and the package manager read beside them.
# The module that links Qt Charts and Qt Print Support goes to <libdir>/millcalc,
# where the program finds it relative to itself.
#   cmake -DBUILD=<build dir> -DPREFIX=<scratch dir> -DLIBDIR=<libdir> -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
    RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(program "${PREFIX}/bin/millcalc")
set(entry "${PREFIX}/share/applications/millcalc.desktop")
set(icon "${PREFIX}/share/icons/hicolor/scalable/apps/millcalc.svg")
set(metainfo "${PREFIX}/share/metainfo/org.example.millcalc.metainfo.xml")
set(module "${PREFIX}/${LIBDIR}/millcalc/millcalc-addons.so")
foreach(file "${program}" "${entry}" "${icon}" "${metainfo}" "${module}"
        "${PREFIX}/share/icons/hicolor/48x48/apps/millcalc.png"
        "${PREFIX}/share/icons/hicolor/256x256/apps/millcalc.png"
        "${PREFIX}/share/doc/millcalc/copyright" "${PREFIX}/share/doc/millcalc/changelog.gz"
        "${PREFIX}/share/man/man1/millcalc.1.gz" "${PREFIX}/share/mime/packages/millcalc.xml")
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
if(NOT IS_DIRECTORY "${PREFIX}/bin" OR IS_SYMLINK "${program}")
    message(FATAL_ERROR "the program is not a file of its own: ${program}")
endif()
execute_process(COMMAND test -x "${program}" RESULT_VARIABLE executable)
if(NOT executable EQUAL 0)
    message(FATAL_ERROR "the program is not executable: ${program}")
endif()

file(READ "${module}" elf LIMIT 4 HEX)
if(NOT elf STREQUAL "7f454c46")
    message(FATAL_ERROR "the module is not an ELF file: ${module}")
endif()

file(STRINGS "${entry}" lines ENCODING UTF-8)
foreach(expected "[Desktop Entry]" "Type=Application" "Name=millcalc"
        "Name[ru]=Расчет режимов резания" "Exec=millcalc %f" "Icon=millcalc" "Terminal=false"
        "MimeType=application/x-millcalc;")
    list(FIND lines "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the desktop entry lacks the line: ${expected}")
    endif()
endforeach()

file(READ "${icon}" svg)
if(NOT svg MATCHES "<svg[^>]*viewBox=")
    message(FATAL_ERROR "the icon is not a scalable SVG: ${icon}")
endif()

# The desktop's own check, where it is installed (desktop-file-utils).
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
    execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE valid)
    if(NOT valid EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate rejects ${entry}")
    endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --strict "${metainfo}" RESULT_VARIABLE valid)
    if(NOT valid EQUAL 0)
        message(FATAL_ERROR "appstreamcli rejects ${metainfo}")
    endif()
endif()
file(REMOVE_RECURSE "${PREFIX}")
