# The companion's start-up time and idle memory, beside the smallest Qt
# program with a window and a tray icon. Run under xvfb-run.
find_package(X11 REQUIRED)
add_executable(miselle_minimal_tray_window ${CMAKE_CURRENT_LIST_DIR}/miselle_minimal_tray_window.cpp)
target_link_libraries(miselle_minimal_tray_window PRIVATE Qt6::Widgets)
add_executable(miselle_startup_bench ${CMAKE_CURRENT_LIST_DIR}/miselle_startup_bench.cpp)
target_link_libraries(miselle_startup_bench PRIVATE common benchmark::benchmark_main X11::X11)
target_compile_definitions(miselle_startup_bench PRIVATE
    MISELLE_EXECUTABLE="$<TARGET_FILE:Miselle>"
    MINIMAL_TRAY_WINDOW_EXECUTABLE="$<TARGET_FILE:miselle_minimal_tray_window>")
