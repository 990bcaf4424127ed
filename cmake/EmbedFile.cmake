# Turns a file into the body of a C++ byte array: cmake -DINPUT=... -DOUTPUT=... -P EmbedFile.cmake
file(READ "${INPUT}" content HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," content "${content}")
file(WRITE "${OUTPUT}" "${content}\n")
