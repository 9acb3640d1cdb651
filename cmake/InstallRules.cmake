# The installed way to run, under one prefix (GNU layout):
#   libexec/lorvane/                         the program folder, as the
#       Lorvane, Miselle                     programs know it: the two programs,
#       lorvane-audio.so                     the sound module they load,
#       lorvane-pcaudio-stand-in.so          what espeak-ng gets for its audio,
#       Lorvane说明.htm, 安装必读.htm, 单词课文  and links to their read-only files
#   bin/Lorvane, bin/Miselle                 links to the programs
#   share/lorvane/                           the read-only files: the two
#       Lorvane说明.htm, 安装必读.htm         documents and the shipped lesson
#       单词课文/                             folder, in GBK as staged
#   share/applications/, share/metainfo/     menu entries and AppStream data
#   share/icons/hicolor/                     the icons, every size and SVG
#   share/man/man1/, share/doc/lorvane/      manual pages, copyright, changelog
#   share/lintian/overrides/lorvane          why the package checker's notes stay
# The programs find every file from the folder of their executable, the
# links resolved, as in the build's program folder; the links are relative,
# so an installed tree may be moved or unpacked anywhere as a whole.
set(LORVANE_INSTALL_PROGRAM_FOLDER ${CMAKE_INSTALL_LIBEXECDIR}/lorvane)
set(LORVANE_INSTALL_DATA_FOLDER ${CMAKE_INSTALL_DATADIR}/lorvane)

install(TARGETS Lorvane Miselle RUNTIME DESTINATION ${LORVANE_INSTALL_PROGRAM_FOLDER})
install(TARGETS lorvane-audio lorvane-pcaudio-stand-in LIBRARY DESTINATION ${LORVANE_INSTALL_PROGRAM_FOLDER})

# The links are made in the build folder and installed as links.
set(links ${CMAKE_BINARY_DIR}/install-links)
file(RELATIVE_PATH to_programs ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_FULL_LIBEXECDIR}/lorvane)
file(RELATIVE_PATH to_data ${CMAKE_INSTALL_FULL_LIBEXECDIR}/lorvane
    ${CMAKE_INSTALL_FULL_DATADIR}/lorvane)
file(REMOVE_RECURSE ${links})
file(MAKE_DIRECTORY ${links}/bin ${links}/programs)
foreach(program Lorvane Miselle)
    file(CREATE_LINK ${to_programs}/${program} ${links}/bin/${program} SYMBOLIC)
endforeach()
foreach(name Lorvane说明.htm 安装必读.htm 单词课文)
    file(CREATE_LINK ${to_data}/${name} ${links}/programs/${name} SYMBOLIC)
endforeach()
install(FILES ${links}/bin/Lorvane ${links}/bin/Miselle DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${links}/programs/Lorvane说明.htm ${links}/programs/安装必读.htm
    ${links}/programs/单词课文 DESTINATION ${LORVANE_INSTALL_PROGRAM_FOLDER})

install(FILES ${PROJECT_SOURCE_DIR}/data/Lorvane说明.htm ${PROJECT_SOURCE_DIR}/data/安装必读.htm
    DESTINATION ${LORVANE_INSTALL_DATA_FOLDER})
# The staged lessons one by one: the staged folder may also hold a learner's
# progress and settings from running the build, which are not shipped.
foreach(source IN LISTS LESSON_SOURCES)
    file(RELATIVE_PATH relative ${LESSON_SOURCE_DIR} ${source})
    get_filename_component(relative_dir ${relative} DIRECTORY)
    install(FILES ${LESSON_TARGET_DIR}/${relative}
        DESTINATION ${LORVANE_INSTALL_DATA_FOLDER}/单词课文/${relative_dir})
endforeach()

foreach(program Lorvane Miselle)
    set(id ${LORVANE_APP_ID_PREFIX}${program})
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endforeach()
install(DIRECTORY ${LORVANE_ICON_TREE} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Manual pages and the changelog go compressed, as Debian wants them:
# -9 for the smallest, -n so that a rebuild gives the same bytes.
set(COMPRESSED_DOCS)
foreach(document docs/man/Lorvane.1 docs/man/Miselle.1 packaging/changelog)
    get_filename_component(name ${document} NAME)
    set(compressed ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed
        COMMAND gzip -9n < ${PROJECT_SOURCE_DIR}/${document} > ${compressed}
        DEPENDS ${PROJECT_SOURCE_DIR}/${document}
        COMMENT "Compressing ${name}")
    list(APPEND COMPRESSED_DOCS ${compressed})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${COMPRESSED_DOCS})
install(FILES ${CMAKE_BINARY_DIR}/compressed/Lorvane.1.gz ${CMAKE_BINARY_DIR}/compressed/Miselle.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/compressed/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/lorvane)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME lorvane)
