# The window's DPI tests on test machines with larger screen fonts (120 and 144 dots per inch);
# at 96 they run with the other window tests.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  foreach(machine xp-120 xp-144 vista-144)
    string(REPLACE "-" ";" parts ${machine})
    list(GET parts 0 windows)
    list(GET parts 1 dpi)
    add_test(NAME ui_tests_dpi${dpi}_${windows}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/dpi-test.sh ${windows} ${dpi}
                     $<TARGET_FILE:ui_tests>)
    set_tests_properties(ui_tests_dpi${dpi}_${windows} PROPERTIES
      RESOURCE_LOCK wine-${windows}-dpi${dpi}
      TIMEOUT 300)
  endforeach()
endif()
