find_package(X11 REQUIRED)
# The floors the trainer's start is compared with: the smallest Qt Widgets
# program that shows a window, and the same with one Chinese label (what the
# font set-up for Chinese text adds).
add_executable(minimal_window ${CMAKE_CURRENT_LIST_DIR}/minimal_window.cpp)
target_link_libraries(minimal_window PRIVATE Qt6::Widgets)
add_executable(minimal_chinese_window ${CMAKE_CURRENT_LIST_DIR}/minimal_chinese_window.cpp)
target_link_libraries(minimal_chinese_window PRIVATE Qt6::Widgets)
add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE common benchmark::benchmark_main X11::X11)
target_compile_definitions(startup_bench PRIVATE
    LORVANE_EXECUTABLE="$<TARGET_FILE:Lorvane>"
    MINIMAL_WINDOW_EXECUTABLE="$<TARGET_FILE:minimal_window>"
    MINIMAL_CHINESE_WINDOW_EXECUTABLE="$<TARGET_FILE:minimal_chinese_window>")
# It starts these; build them with it.
add_dependencies(startup_bench Lorvane minimal_window minimal_chinese_window)
