# Unit tests: natively under the sanitizers, and as Windows programs under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(UnitTests
  tests/ConfigFilesTest.cpp
  tests/ConfigTextTest.cpp
  tests/DataFileHeaderTest.cpp
  tests/DataFileWriterTest.cpp
  tests/FullDiskTest.cpp
  tests/NumbersTest.cpp
  tests/RecordingSettingsTest.cpp
  tests/TestFiles.cpp
  ${ZQ_RESOURCES})
target_link_libraries(UnitTests PRIVATE zq_core zq_warnings GTest::gtest_main)
target_compile_definitions(UnitTests PRIVATE
  ZQ_BUILTIN_TEXT_FILE="${CMAKE_SOURCE_DIR}/resources/ZQ347Fill.cfg")

set(full_disk ${CMAKE_SOURCE_DIR}/scripts/full-disk-test.sh)
if(CMAKE_CROSSCOMPILING)
  set(wine_prefix ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${wine_prefix})
  set_target_properties(UnitTests PROPERTIES
    CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
  # Under Wine the program starts once: one CTest test for the whole set.
  add_test(NAME UnitTests COMMAND UnitTests --gtest_filter=-FullDisk*)
  add_test(NAME FullDisk COMMAND ${full_disk} $<TARGET_FILE:UnitTests>
                                 ${CMAKE_CROSSCOMPILING_EMULATOR})
  add_test(NAME OnlySystemDlls COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh
                                       $<TARGET_FILE:UnitTests>)
else()
  include(GoogleTest)
  gtest_discover_tests(UnitTests TEST_FILTER -FullDisk* DISCOVERY_TIMEOUT 30)
  add_test(NAME FullDisk COMMAND ${full_disk} $<TARGET_FILE:UnitTests>)
endif()
set_tests_properties(FullDisk PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
