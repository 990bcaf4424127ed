# Makes the gzipped manual page of the command line from its own help texts:
# cmake -DPROGRAM=... -DHELP2MAN=... -DOUTPUT=....1.gz -P ManualPage.cmake
# The main --help becomes the page; each subcommand's --help follows in COMMANDS.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${PROGRAM} --help failed")
endif()
string(REGEX REPLACE ".*\nSubcommands:\n" "" listed "${help}")
string(REGEX MATCHALL "(^|\n)  [a-z][a-z-]*" names "${listed}")

set(include "[COMMANDS]\n")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  execute_process(COMMAND ${PROGRAM} ${name} --help OUTPUT_VARIABLE text)
  # Plain lines for roff: backslashes escaped, no line taken for a request.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(APPEND include ".SS ${name}\n.nf\n${text}.fi\n")
endforeach()
get_filename_component(folder ${OUTPUT} DIRECTORY)
set(page ${folder}/zq347cli.1)
file(WRITE ${page}.include "${include}")
execute_process(
  COMMAND ${HELP2MAN} --no-info --section=1 --name "write and inspect ZQ347SD data files"
          --include=${page}.include --output=${page} ${PROGRAM}
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "help2man failed")
endif()
# -n: no name and no time stamp in the archive.
execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip failed")
endif()
