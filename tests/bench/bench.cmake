# The start-up launcher and the empty window it measures the program against; built on demand
# with the benchmark, not tests.
add_executable(startup_launcher EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/startup_launcher.cpp)
add_executable(empty_window WIN32 EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/empty_window.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/empty_window.rc)
target_include_directories(empty_window PRIVATE ${GENERATED_DIR})
target_link_libraries(empty_window PRIVATE tw_flags comctl32)
target_include_directories(startup_launcher PRIVATE ${CMAKE_SOURCE_DIR}/tests/shared)
target_link_libraries(startup_launcher PRIVATE tw_flags)
