# The window's DPI tests on test machines with larger screen fonts (120 and 144 dots per inch);
# at 96 they run with the other window tests. The exe of the Wine mode runs them: the i686 one
# where 32-bit programs run, else the x86_64 one.
if(TRIMMWERK_ONLY_64BIT)
  set(DPI_ARCH x86_64)
else()
  set(DPI_ARCH i686)
endif()
if(CMAKE_SYSTEM_PROCESSOR STREQUAL DPI_ARCH)
  foreach(case xp-120 xp-144 vista-144)
    string(REPLACE "-" ";" parts ${case})
    list(GET parts 0 windows)
    list(GET parts 1 dpi)
    if(windows STREQUAL "xp" AND NOT TRIMMWERK_ONLY_64BIT)
      set(machine xp-win32)
    else()
      set(machine ${windows}-win64)
    endif()
    set(name ui_tests-${CMAKE_SYSTEM_PROCESSOR}@${machine}-dpi${dpi})
    add_test(NAME ${name}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/dpi-test.sh ${windows} ${dpi}
                     $<TARGET_FILE:ui_tests>)
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "TRIMMWERK_ONLY_64BIT=${ONLY_64BIT}"
      RESOURCE_LOCK wine-${machine}-dpi${dpi}
      TIMEOUT 300)
  endforeach()
endif()
