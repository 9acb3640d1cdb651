# The programs' icons, drawn by hand as SVG files in data/icons and rendered
# at build time into a hicolor icon theme tree in the build folder. The one
# drawing serves everywhere: the window and tray icons (embedded in the
# programs), the program folder's menu script and the installed icon theme.
set(LORVANE_ICON_NAMES lorvane miselle)
set(LORVANE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(LORVANE_ICON_TREE ${CMAKE_BINARY_DIR}/icons/hicolor)

set(LORVANE_ICON_SVGS)   # the drawings
set(LORVANE_ICON_PNGS)   # every rendered size of every icon
set(LORVANE_ICON_FILES)  # the whole rendered tree: the PNGs and the SVG copies
set(LORVANE_ICON_PIXELS) # the programs' own sizes, as bare pixels
foreach(name IN LISTS LORVANE_ICON_NAMES)
    list(APPEND LORVANE_ICON_SVGS ${PROJECT_SOURCE_DIR}/data/icons/${name}.svg)
    list(APPEND LORVANE_ICON_FILES ${LORVANE_ICON_TREE}/scalable/apps/${name}.svg)
    foreach(size IN LISTS LORVANE_ICON_SIZES)
        list(APPEND LORVANE_ICON_PNGS ${LORVANE_ICON_TREE}/${size}x${size}/apps/${name}.png)
        # Windows and the tray show the icon at 16 to 48 pixels; Qt hands
        # every size the program has to the X server with each window it
        # makes, and the large ones (a third of a megabyte, some 5 ms per
        # window) serve launchers, which take them from the icon theme.
        if(size LESS_EQUAL 64)
            list(APPEND LORVANE_ICON_PIXELS ${CMAKE_BINARY_DIR}/icons/pixels/${size}/${name}.argb32)
        endif()
    endforeach()
endforeach()
list(APPEND LORVANE_ICON_FILES ${LORVANE_ICON_PNGS})

string(JOIN , icon_size_list ${LORVANE_ICON_SIZES})
add_custom_command(OUTPUT ${LORVANE_ICON_FILES} ${LORVANE_ICON_PIXELS}
    COMMAND render_icons ${CMAKE_BINARY_DIR}/icons ${icon_size_list} ${LORVANE_ICON_SVGS}
    DEPENDS render_icons ${LORVANE_ICON_SVGS}
    COMMENT "Rendering the icons"
    VERBATIM)
add_custom_target(app_icon_images DEPENDS ${LORVANE_ICON_FILES} ${LORVANE_ICON_PIXELS})
