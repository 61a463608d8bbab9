# Builds the Debian package of BUILD_DIR into WORK_DIR with CPack (gzip, for
# speed) and inspects it: its control fields, the dependencies dpkg-shlibdeps
# found, the files it installs, and the desktop entry and AppStream file it
# holds, validated.
function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        list(JOIN ARGV " " command)
        message(FATAL_ERROR "failed: ${command}\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect text what)
    foreach(expected IN LISTS ARGN)
        string(FIND "${text}" "${expected}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "the package's ${what} lack \"${expected}\":\n${text}")
        endif()
    endforeach()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR} -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip)
set(deb ${WORK_DIR}/rovanta_${VERSION}_amd64.deb)
if(NOT EXISTS ${deb})
    message(FATAL_ERROR "no ${deb}")
endif()

run(dpkg-deb -I ${deb})
# libchm1 and libpugixml1v5 only dpkg-shlibdeps can have added.
expect("${out}" "control fields" "Package: rovanta" "Version: ${VERSION}" "Architecture: amd64"
       "libqt6widgets6" "libchm1" "libpugixml1v5" "libqt6svg6")

run(dpkg-deb -c ${deb})
set(share ./usr/share)
expect("${out}" "files" ./usr/bin/Rovanta ./usr/bin/rovanta-chm-reader
       ./usr/include/kalimark/kalimark.h libKalimark.so.1 pkgconfig/kalimark.pc cmake/Kalimark/KalimarkConfig.cmake
       ${share}/rovanta/RovantaENG.chm ${share}/rovanta/RovantaDEU.chm ${share}/rovanta/translations/rovanta_de.qm
       ${share}/rovanta/sample_maps/sample_west.cal ${share}/rovanta/sample_maps/sample_west.bmp
       ${share}/applications/org.quelder.Rovanta.desktop ${share}/metainfo/org.quelder.Rovanta.metainfo.xml
       ${share}/mime/packages/org.quelder.Rovanta.xml ${share}/icons/hicolor/scalable/apps/org.quelder.Rovanta.svg
       ${share}/icons/hicolor/16x16/apps/org.quelder.Rovanta.png
       ${share}/icons/hicolor/256x256/apps/org.quelder.Rovanta.png)

run(dpkg-deb -x ${deb} ${WORK_DIR}/root)
run(desktop-file-validate ${WORK_DIR}/root/usr/share/applications/org.quelder.Rovanta.desktop)
run(appstreamcli validate --no-net ${WORK_DIR}/root/usr/share/metainfo/org.quelder.Rovanta.metainfo.xml)
