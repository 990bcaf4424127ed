// The one home of the data file's extension: the writer, the save-file dialog's
// filter and the command line name files with it.
#pragma once

constexpr char DataFileExtension[] = ".VDF";
