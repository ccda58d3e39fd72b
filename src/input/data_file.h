// The data file reader: lists the catalogue of data-inputs in the graph
// data file, lets the user pick one, and loads it into the graph record.
#ifndef UGRAPH_INPUT_DATA_FILE_H_
#define UGRAPH_INPUT_DATA_FILE_H_

#include <cstdint>

#include "console/console.h"
#include "graph/ugraph.h"

namespace ugraph {

// The catalogue's name, looked up in the current directory.
inline constexpr const char* kDataFileName = "GraphDataFile2.txt";

// readGraphFromDataFile's result when console input ended at the question.
inline constexpr int32_t kInputEnded = -1;

// Opens fileName, lists every data-input in it numbered from 1, asks for the
// number of one (0 aborts), echoes it and parses it. A loaded graph's links
// are stored in both directions and normalised, name and linkTo[0] set, and
// the result is the normalised entry count. The result is 0 when the file
// cannot be opened, the user aborts, the mark is not 'U' or 'u', the
// data-input is cut off or breaks the format (each with its message), or it
// holds no link; kInputEnded when console input ended at the question. The
// file is closed on every way out.
int32_t readGraphFromDataFile(LinkArray& linkFrom, LinkArray& linkTo,
                              GraphName& name, Console& console,
                              const char* fileName = kDataFileName);

}  // namespace ugraph

#endif  // UGRAPH_INPUT_DATA_FILE_H_
