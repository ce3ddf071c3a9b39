# What an installed radioprog consists of, made in the build folder where it is not a source
# file as it stands, and where each part goes (GNUInstallDirs).
set(RADIOPROG_RELEASE_DATE "2026-12-10")
set(RADIOPROG_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 12:00:00 +0000")
set(data "${CMAKE_INSTALL_DATADIR}/radioprog")
set(made "${CMAKE_BINARY_DIR}/install-files")

# The installed defaults leave the language to the locale (or to the user's own file): the
# build folder's copy names one, because a one-folder run has always needed it.
file(READ "${PROJECT_SOURCE_DIR}/res/Program.ini" settings)
string(REGEX REPLACE "(^|\n)Language=[^\n]*\n" "\\1" settings "${settings}")
file(WRITE "${made}/Program.ini" "${settings}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/res/Program.ini")

# The manual pages, with the exit codes of the tool from the one list of them.
file(STRINGS "${PROJECT_SOURCE_DIR}/src/cli/exit_codes.def" exit_lines ENCODING UTF-8
     REGEX "^RADIOPROG_EXIT\\(")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/cli/exit_codes.def")
set(exit_status_en "")
set(exit_status_zh "")
foreach(line IN LISTS exit_lines)
    string(REGEX MATCH "^RADIOPROG_EXIT\\(([0-9]+), *[A-Za-z]+, *\"([^\"]*)\", *\"([^\"]*)\"\\)"
           matched "${line}")
    string(APPEND exit_status_en ".TP\n.B ${CMAKE_MATCH_1}\n${CMAKE_MATCH_2}\n")
    string(APPEND exit_status_zh ".TP\n.B ${CMAKE_MATCH_1}\n${CMAKE_MATCH_3}\n")
endforeach()
string(STRIP "${exit_status_en}" exit_status_en)
string(STRIP "${exit_status_zh}" exit_status_zh)
set(DATADIR "${CMAKE_INSTALL_FULL_DATADIR}")
set(DEALER_FOLDER "${RADIOPROG_DEALER_FOLDER}")
set(RELEASE_DATE "${RADIOPROG_RELEASE_DATE}")
set(RADIOPROG_MAN_PAGES)
find_program(GZIP gzip REQUIRED)
foreach(locale IN ITEMS "" "zh_CN")
    set(EXIT_STATUS "${exit_status_en}")
    if(locale)
        set(EXIT_STATUS "${exit_status_zh}")
    endif()
    foreach(page IN ITEMS radioprog radioprog-cli radioprog-sim)
        set(source "${PROJECT_SOURCE_DIR}/res/man/${locale}/${page}.1")
        set(page_file "${made}/man/${locale}/man1/${page}.1")
        configure_file("${source}" "${page_file}" @ONLY)
        list(APPEND RADIOPROG_MAN_PAGES "${page_file}")
        add_custom_command(OUTPUT "${page_file}.gz"
                           COMMAND "${GZIP}" -9nkf "${page_file}"
                           DEPENDS "${page_file}"
                           COMMENT "Compressing man/${locale}/man1/${page}.1")
        list(APPEND compressed_pages "${page_file}.gz")
        install(FILES "${page_file}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/${locale}/man1")
    endforeach()
endforeach()
add_custom_target(man_pages ALL DEPENDS ${compressed_pages})

configure_file(res/desktop/${RADIOPROG_APP_ID}.metainfo.xml.in
               "${made}/${RADIOPROG_APP_ID}.metainfo.xml" @ONLY)
set(RADIOPROG_METAINFO "${made}/${RADIOPROG_APP_ID}.metainfo.xml")
set(RADIOPROG_DESKTOP_ENTRY "${PROJECT_SOURCE_DIR}/res/desktop/${RADIOPROG_APP_ID}.desktop")
configure_file(res/debian/changelog "${made}/changelog" @ONLY)
add_custom_command(OUTPUT "${made}/changelog.gz"
                   COMMAND "${GZIP}" -9nkf "${made}/changelog"
                   DEPENDS "${made}/changelog")
add_custom_target(debian_changelog ALL DEPENDS "${made}/changelog.gz")

install(TARGETS radioprog-cli radioprog-sim RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${made}/Program.ini" DESTINATION "${data}")
install(DIRECTORY res/samples DESTINATION "${data}")
install(DIRECTORY res/help/ DESTINATION "${data}/help")
install(FILES res/completion/radioprog-cli
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
install(FILES res/debian/copyright "${made}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")
if(EXISTS "${PROJECT_SOURCE_DIR}/res/udev/60-radioprog.rules")
    install(FILES res/udev/60-radioprog.rules DESTINATION lib/udev/rules.d)
endif()

if(RADIOPROG_BUILD_GUI)
    # The icons, rendered from the one drawing at every size the desktop asks for.
    find_program(RSVG_CONVERT rsvg-convert REQUIRED)
    set(svg "${PROJECT_SOURCE_DIR}/res/icons/${RADIOPROG_APP_ID}.svg")
    set(RADIOPROG_ICON_SIZES 16 22 24 32 48 64 128 256)
    set(icons)
    foreach(size IN LISTS RADIOPROG_ICON_SIZES)
        set(png "${made}/icons/hicolor/${size}x${size}/apps/${RADIOPROG_APP_ID}.png")
        add_custom_command(OUTPUT "${png}"
                           COMMAND ${CMAKE_COMMAND} -E make_directory "${made}/icons/hicolor/${size}x${size}/apps"
                           COMMAND "${RSVG_CONVERT}" -w ${size} -h ${size} -o "${png}" "${svg}"
                           DEPENDS "${svg}"
                           COMMENT "Rendering the ${size}x${size} icon")
        list(APPEND icons "${png}")
        install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
    endforeach()
    install(FILES "${svg}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

    # title.ico and background.bmp of the application directory, next to the program.
    set(ico_sizes 16 24 32 48 64)
    set(ico_pngs)
    foreach(size IN LISTS ico_sizes)
        list(APPEND ico_pngs "${made}/icons/hicolor/${size}x${size}/apps/${RADIOPROG_APP_ID}.png")
    endforeach()
    set(bin "${CMAKE_BINARY_DIR}/bin")
    # Leaks of Qt's own at the end of a sanitized tool are not the build's business.
    set(run_tool ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:write_pictures>)
    add_custom_command(OUTPUT "${bin}/title.ico"
                       COMMAND ${run_tool} icon "${bin}/title.ico" ${ico_pngs}
                       DEPENDS write_pictures ${ico_pngs}
                       COMMENT "Writing title.ico")
    add_custom_command(OUTPUT "${bin}/background.bmp"
                       COMMAND ${run_tool} background "${bin}/background.bmp"
                       DEPENDS write_pictures
                       COMMENT "Writing background.bmp")
    add_custom_target(pictures ALL DEPENDS ${icons} "${bin}/title.ico" "${bin}/background.bmp")

    install(TARGETS radioprog RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    install(FILES "${bin}/English.qm" "${bin}/Chinese.qm" "${bin}/title.ico" "${bin}/background.bmp"
            DESTINATION "${data}")
    install(FILES "${RADIOPROG_DESKTOP_ENTRY}" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${RADIOPROG_METAINFO}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
endif()
