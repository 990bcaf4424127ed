// The one home of the data file's extension: the writer, the save-file dialog's
// filter and the command line name files with it. And which names a Windows-made
// logger can hold, since the card goes to one.
#pragma once

#include <string>

constexpr char DataFileExtension[] = ".VDF";

// Why Windows cannot hold `name` as one file name: a character it forbids (< > : " /
// \ | ? * or a control character), a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9,
// with or without an extension, in any letter case). A trailing dot or blank is
// fine: the number and ".VDF" enclose the base name. Empty when it can.
std::string WindowsNameProblem(const std::string& name);
