# The companion's start-up time and idle memory, beside the smallest Qt
# program with a tray icon and a window showing Chinese text. Run under
# xvfb-run.
find_package(X11 REQUIRED)
add_executable(minimal_chinese_tray_window
    ${CMAKE_CURRENT_LIST_DIR}/minimal_chinese_tray_window.cpp)
target_link_libraries(minimal_chinese_tray_window PRIVATE Qt6::Widgets)
add_executable(miselle_startup_bench ${CMAKE_CURRENT_LIST_DIR}/miselle_startup_bench.cpp)
target_link_libraries(miselle_startup_bench PRIVATE common benchmark::benchmark_main X11::X11)
target_compile_definitions(miselle_startup_bench PRIVATE
    MISELLE_EXECUTABLE="$<TARGET_FILE:Miselle>"
    MINIMAL_TRAY_WINDOW_EXECUTABLE="$<TARGET_FILE:minimal_chinese_tray_window>")
# It starts these; build them with it.
add_dependencies(miselle_startup_bench Miselle minimal_chinese_tray_window)
