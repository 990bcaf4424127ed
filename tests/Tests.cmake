# Unit tests: natively under the sanitizers, and as Windows programs under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(ZQ_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources, built with each build")
add_subdirectory(${ZQ_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(UnitTests
  tests/config/ConfigFilesTest.cpp
  tests/config/ConfigTextTest.cpp
  tests/datafile/DataFileHeaderTest.cpp
  tests/datafile/DataFilePlanTest.cpp
  tests/datafile/DataFileWriterTest.cpp
  tests/datafile/FillRunTest.cpp
  tests/datafile/FullDiskTest.cpp
  tests/hints/HelpTextsTest.cpp
  tests/hints/HintLayoutTest.cpp
  tests/recording/ListChoicesTest.cpp
  tests/recording/ListLabelsTest.cpp
  tests/common/NumbersTest.cpp
  tests/recording/RecordingSettingsTest.cpp
  tests/datafile/StatusLineTest.cpp
  tests/TestFiles.cpp
  ${ZQ_RESOURCES})
target_link_libraries(UnitTests PRIVATE zq_core zq_hints_core zq_warnings GTest::gtest_main)
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
  add_test(NAME ProgramOnlySystemDlls COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh
                                              $<TARGET_FILE:ZQ347Fill>)

  # The real dialog made from its template in this process, driven with messages.
  add_executable(WindowTests
    tests/window/FrameworkTest.cpp
    tests/window/MainDialogTest.cpp
    tests/window/RemovableDriveTest.cpp
    tests/window/StatusPanelsTest.cpp
    tests/window/WritingTest.cpp
    tests/window/WindowTestSupport.cpp
    tests/TestFiles.cpp
    ${ZQ_RESOURCES})
  target_link_libraries(WindowTests PRIVATE zq_app zq_warnings GTest::gtest_main)
  set_target_properties(WindowTests PROPERTIES
    CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
  add_test(NAME WindowTests COMMAND WindowTests)
  # The status panels on a small file system mapped as a floppy drive.
  add_test(NAME RemovableDrive
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/removable-drive-test.sh $<TARGET_FILE:WindowTests>
                   ${wine_prefix} ${CMAKE_CROSSCOMPILING_EMULATOR})
  set_tests_properties(RemovableDrive PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)

  # The real program in a fresh folder, driven from another process.
  add_executable(EndToEndTests tests/e2e/EndToEndTest.cpp tests/TestFiles.cpp ${ZQ_RESOURCES})
  target_link_libraries(EndToEndTests PRIVATE zq_core zq_warnings GTest::gtest)
  set_target_properties(EndToEndTests PROPERTIES
    CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
  add_test(NAME EndToEnd COMMAND EndToEndTests $<TARGET_FILE:ZQ347Fill>)
  set_tests_properties(EndToEnd PROPERTIES TIMEOUT 300)

  # The balloon hints over the real dialog, driven with the cursor.
  add_executable(HintTests
    tests/hints/HintTrackerTest.cpp
    tests/hints/HintWindowTest.cpp
    tests/window/WindowTestSupport.cpp
    tests/TestFiles.cpp
    ${ZQ_RESOURCES})
  target_link_libraries(HintTests PRIVATE zq_app zq_warnings GTest::gtest_main)
  set_target_properties(HintTests PROPERTIES
    CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
  add_test(NAME HintTests COMMAND HintTests)

  # What Windows reads of both programs: the version information and the manifest.
  add_executable(ProgramInfo tests/resources/ProgramInfo.cpp)
  target_link_libraries(ProgramInfo PRIVATE version zq_warnings)
  set_target_properties(ProgramInfo PROPERTIES
    CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
  set(v "${PROJECT_VERSION_MAJOR}\\.${PROJECT_VERSION_MINOR}")
  foreach(program "ZQ347Fill|" "zq347cli| command line")
    string(REPLACE "|" ";" program "${program}")
    list(GET program 0 target)
    list(GET program 1 described)
    add_test(NAME ${target}Info COMMAND ProgramInfo $<TARGET_FILE:${target}>
                                        ${CMAKE_SOURCE_DIR}/resources/Application.manifest)
    string(JOIN "[\r\n]+" lines "File description +ZQ347SD File Creator${described}"
           "File version +${v}\\.0\\.0" "Product name +ZQ347SD File Creator"
           "Product version +${v}" " +\\(as numbers\\) +${v}\\.0\\.0"
           "Language +English.* \\(0409\\)" "Original filename +${target}\\.exe"
           "Manifest +[0-9]+ bytes, as built")
    set_tests_properties(${target}Info PROPERTIES PASS_REGULAR_EXPRESSION "${lines}")
  endforeach()

  # The same sources give the same programs, built elsewhere.
  add_test(NAME ReproducibleBuild COMMAND ${CMAKE_SOURCE_DIR}/scripts/reproducible-build-test.sh
                                          ${CMAKE_BINARY_DIR} ${CMAKE_BUILD_TYPE})
  set_tests_properties(ReproducibleBuild PROPERTIES TIMEOUT 1200)
else()
  include(GoogleTest)
  gtest_discover_tests(UnitTests TEST_FILTER -FullDisk* DISCOVERY_TIMEOUT 30)
  add_test(NAME FullDisk COMMAND ${full_disk} $<TARGET_FILE:UnitTests>)
endif()
set_tests_properties(FullDisk PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)

# The command-line companion: its commands in this process, and the real program's
# exit codes and messages, under Wine when cross-built.
string(REPLACE ";" "|" cli_emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
add_test(NAME CliProgramRuns
         COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:zq347cli> -DEMULATOR=${cli_emulator}
                 -DWORK=${CMAKE_BINARY_DIR}/cli-runs -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/tests/cli/ProgramRuns.cmake)
if(CMAKE_CROSSCOMPILING)
  add_test(NAME CliOnlySystemDlls COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh
                                          $<TARGET_FILE:zq347cli>)
else()
  add_executable(CliTests
    tests/cli/ChoiceNamesTest.cpp
    tests/cli/CliTestSupport.cpp
    tests/cli/ExamineCommandTest.cpp
    tests/cli/WriteCommandTest.cpp
    tests/TestFiles.cpp)
  target_link_libraries(CliTests PRIVATE zq_cli zq_warnings GTest::gtest_main)
  gtest_discover_tests(CliTests DISCOVERY_TIMEOUT 30)
  # The data file is flushed before it is closed, as the system sees the calls.
  add_test(NAME CliFlushTrace
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/flush-trace-test.sh $<TARGET_FILE:zq347cli>)
  set_tests_properties(CliFlushTrace PROPERTIES SKIP_RETURN_CODE 77)
endif()

# Both programs on a card that holds less than it promises and on a slow one (root).
if(CMAKE_CROSSCOMPILING)
  add_test(NAME Cards COMMAND ${CMAKE_SOURCE_DIR}/scripts/card-test.sh ${CMAKE_BINARY_DIR}
                              ${wine_prefix} ${CMAKE_CROSSCOMPILING_EMULATOR})
else()
  add_test(NAME Cards COMMAND ${CMAKE_SOURCE_DIR}/scripts/card-test.sh ${CMAKE_BINARY_DIR})
endif()
set_tests_properties(Cards PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 300)
