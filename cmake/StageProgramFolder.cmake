# Stages the program folder: the lesson folder, converted from the UTF-8
# sources in data/ to GBK with CR LF, and the two documents. The executables
# are written into the same folder by their own targets.
set(LESSON_SOURCE_DIR ${PROJECT_SOURCE_DIR}/data/单词课文)
set(LESSON_TARGET_DIR ${LORVANE_PROGRAM_FOLDER}/单词课文)

file(GLOB_RECURSE LESSON_SOURCES CONFIGURE_DEPENDS
    ${LESSON_SOURCE_DIR}/*.txt ${LESSON_SOURCE_DIR}/*.dat)

# Lessons that were renamed or removed in data/ leave the staged folder too;
# the learner's own files there (progress, settings) stay.
file(GLOB_RECURSE STAGED_LESSONS ${LESSON_TARGET_DIR}/*.txt)
foreach(staged IN LISTS STAGED_LESSONS)
    file(RELATIVE_PATH relative ${LESSON_TARGET_DIR} ${staged})
    if(NOT EXISTS ${LESSON_SOURCE_DIR}/${relative})
        file(REMOVE ${staged})
    endif()
endforeach()

set(STAGED_FILES)
foreach(source IN LISTS LESSON_SOURCES)
    file(RELATIVE_PATH relative ${LESSON_SOURCE_DIR} ${source})
    set(target ${LESSON_TARGET_DIR}/${relative})
    get_filename_component(target_dir ${target} DIRECTORY)
    add_custom_command(OUTPUT ${target}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${target_dir}
        COMMAND to_gbk_crlf ${source} ${target}
        DEPENDS ${source} to_gbk_crlf
        COMMENT "Staging ${relative}"
        VERBATIM)
    list(APPEND STAGED_FILES ${target})
endforeach()

foreach(document Lorvane说明.htm 安装必读.htm)
    add_custom_command(OUTPUT ${LORVANE_PROGRAM_FOLDER}/${document}
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/${document}
                ${LORVANE_PROGRAM_FOLDER}/${document}
        DEPENDS ${PROJECT_SOURCE_DIR}/data/${document}
        VERBATIM)
    list(APPEND STAGED_FILES ${LORVANE_PROGRAM_FOLDER}/${document})
endforeach()

# The icons, and the script that puts both programs into the desktop's menu.
# A menu entry must name its program by a full path, which only the folder's
# final place knows: the script writes the entries there, when it is run, so
# a copied or moved folder still works. Nothing staged holds a build path.
set(STAGED_ICONS)
foreach(icon IN LISTS LORVANE_ICON_FILES)
    file(RELATIVE_PATH relative ${LORVANE_ICON_TREE} ${icon})
    list(APPEND STAGED_ICONS ${LORVANE_PROGRAM_FOLDER}/icons/hicolor/${relative})
endforeach()
add_custom_command(OUTPUT ${STAGED_ICONS}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${LORVANE_ICON_TREE}
            ${LORVANE_PROGRAM_FOLDER}/icons/hicolor
    DEPENDS ${LORVANE_ICON_FILES} app_icon_images
    COMMENT "Staging the icons"
    VERBATIM)

foreach(program Lorvane Miselle)
    set(entry ${PROJECT_SOURCE_DIR}/data/desktop/${LORVANE_APP_ID_PREFIX}${program}.desktop)
    file(READ ${entry} LORVANE_ENTRY_${program})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${entry})
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/data/desktop/add-to-menu.sh.in
    ${LORVANE_PROGRAM_FOLDER}/add-to-menu.sh @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                     WORLD_READ WORLD_EXECUTE)
# Launchers of earlier builds held the build's own paths.
file(REMOVE ${LORVANE_PROGRAM_FOLDER}/Lorvane.desktop ${LORVANE_PROGRAM_FOLDER}/Miselle.desktop
    ${LORVANE_PROGRAM_FOLDER}/lorvane.png ${LORVANE_PROGRAM_FOLDER}/miselle.png)

# Everything a learner gets: start-lorvane.sh builds this target alone.
add_custom_target(program_folder ALL DEPENDS ${STAGED_FILES} ${STAGED_ICONS})
add_dependencies(program_folder Lorvane Miselle)
