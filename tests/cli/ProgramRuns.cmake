# Runs the real zq347cli (under Wine when EMULATOR is given, its words joined by '|')
# in a fresh folder WORK: a dry run, round trips through write and inspect (also from
# standard input, and in folders named in Cyrillic and Japanese), and the exit code and
# single stderr line of a refusal, a usage error and a file that is not a data file.
cmake_minimum_required(VERSION 3.20)
string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# run(CODE OUT_REGEX ERR_REGEX ARGS...)
function(run code out err)
  execute_process(COMMAND ${emulator} ${PROGRAM} ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE result OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
  string(REPLACE "\r" "" stdout "${stdout}")
  string(REPLACE "\r" "" stderr "${stderr}")
  # An empty pattern wants no output at all.
  set(ok TRUE)
  foreach(stream stdout stderr)
    if(stream STREQUAL "stdout")
      set(pattern "${out}")
    else()
      set(pattern "${err}")
    endif()
    if((pattern STREQUAL "" AND NOT "${${stream}}" STREQUAL "") OR
       (NOT pattern STREQUAL "" AND NOT "${${stream}}" MATCHES "${pattern}"))
      set(ok FALSE)
    endif()
  endforeach()
  if(NOT result EQUAL code OR NOT ok)
    message(FATAL_ERROR "zq347cli ${ARGN}\nexit code ${result}, expected ${code}\n"
                        "stdout:\n${stdout}\nstderr:\n${stderr}")
  endif()
endfunction()

# A dry run makes nothing, not even the configuration; a name Windows cannot hold is
# refused before anything is made.
run(0 "^Plan: 0001Dat\\.VDF, 2\\.5 KB, 1 channel × 100 kHz for 10 ms\nDry run: " ""
    write --dry-run --channel 1=+-10V --size 1K)
run(1 "" "^zq347cli: the base name \"a:b\" holds the character :, which Windows"
    write --name a:b --channel 1=+-10V)
file(GLOB made ${WORK}/*)
if(made)
  message(FATAL_ERROR "a dry run and a refusal made ${made}")
endif()
run(0 "^Plan: 0001Dat\\.VDF, .*\nWrote .*0001Dat\\.VDF \\(12800 bytes\\)\n$" ""
    write --channel 1=+-10V --channel "2-3=+-1V D" --sync --channel-b "2=+-0.1V D"
    --rate 20KHz --size 1K --loop)
set(choices "20000 Hz per channel \\(20KHz\\).*A and B on, Loop record on.*")
string(APPEND choices "   2  A \\+-1V D      B \\+-0\\.1V D\n.*as planned for \"Size 1 Ks\".*")
string(APPEND choices "all 12288 bytes.*\n1 file: 1 whole, 0 stopped early, 0 damaged\n$")
run(0 "${choices}" "" inspect --verify 0001Dat.VDF)
# Standard input is read to its end, as a file is; a folder gives its data files.
execute_process(COMMAND ${emulator} ${PROGRAM} inspect --verify - ZQ347Fill.cfg .
                WORKING_DIRECTORY ${WORK} INPUT_FILE ${WORK}/0001Dat.VDF
                RESULT_VARIABLE result OUTPUT_VARIABLE stdout)
if(NOT result EQUAL 1 OR NOT stdout MATCHES "Size:       12800 bytes.*all 12288 bytes.*all 12288 bytes.*3 files: 2 whole, 0 stopped early, 1 damaged")
  message(FATAL_ERROR "standard input: exit code ${result}\n${stdout}")
endif()
run(1 "^Plan: " "^zq347cli: the .*0001Dat\\.VDF file already exists; give --overwrite to replace it\n$"
    write --channel 1=+-10V)
run(1 "" "^zq347cli: the range \"\\+-3V\" is not offered for A channel 1; it offers OFF, Gnd"
    write --fresh --channel 1=+-3V)
run(2 "" "^zq347cli: .*--channel.*\n$" write --channel)
run(2 "^{\"error\":\"unknown command wirte; the commands are write, inspect, choices\",\"exit_code\":2}\n$"
    "^zq347cli: unknown command wirte" wirte --json)
run(0 "^zq347cli ${VERSION}\n$" "" --version)
run(1 "1 file: 0 whole, 0 stopped early, 1 damaged\n$" "^zq347cli: cannot open /no/such/file\\.VDF: "
    inspect /no/such/file.VDF)
run(1 "^{\"file\":\"ZQ347Fill.cfg\",\"error\":\"ZQ347Fill.cfg is not a data file: the section at 0x000 is named"
    "^zq347cli: ZQ347Fill\\.cfg is not a data file: the section at 0x000 is named"
    inspect --json ZQ347Fill.cfg)

# Folders whose names the ANSI code page cannot spell, given on the command line.
file(MAKE_DIRECTORY ${WORK}/Данные ${WORK}/データ)
run(0 "\nWrote .*データ.0001Dat\\.VDF \\(2560 bytes\\)\n$" ""
    write --settings-dir Данные --dir データ --channel 1=+-10V --size 1K)
run(0 "all 2048 bytes" "" inspect --verify データ/0001Dat.VDF)
if(NOT EXISTS ${WORK}/Данные/ZQ347Fill.cfg)
  message(FATAL_ERROR "no ZQ347Fill.cfg in Данные")
endif()
