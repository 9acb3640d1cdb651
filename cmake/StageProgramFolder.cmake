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

add_custom_target(program_folder ALL DEPENDS ${STAGED_FILES})

# The icons and the desktop launchers, with the full paths of the programs.
set(LAUNCHER_FILES
    ${LORVANE_PROGRAM_FOLDER}/Lorvane.desktop ${LORVANE_PROGRAM_FOLDER}/Miselle.desktop
    ${LORVANE_PROGRAM_FOLDER}/lorvane.png ${LORVANE_PROGRAM_FOLDER}/miselle.png)
add_custom_command(OUTPUT ${LAUNCHER_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LORVANE_PROGRAM_FOLDER}
    COMMAND stage_launchers ${LORVANE_PROGRAM_FOLDER}
    DEPENDS stage_launchers
    COMMENT "Staging the launchers and icons"
    VERBATIM)
add_custom_target(program_launchers ALL DEPENDS ${LAUNCHER_FILES})
