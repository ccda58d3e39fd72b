// The data file reader: lists the catalogue of data-inputs in the graph
// data file, lets the user pick one, and loads it into the graph record.
#ifndef UGRAPH_DIALOGUE_DATA_FILE_H_
#define UGRAPH_DIALOGUE_DATA_FILE_H_

#include "base/console.h"
#include "base/status.h"
#include "graph/ugraph.h"

namespace ugraph {

// The catalogue's name, looked up in the current directory.
inline constexpr const char* kDataFileName = "GraphDataFile2.txt";

// Opens fileName, lists every data-input in it numbered from 1, asks for the
// number of one (0 aborts), echoes it and parses it. A loaded graph's links
// are stored in both directions and normalised, name and linkTo[0] set.
// Returns kOk when a graph with at least one link was loaded. Returns
// kNothing, having said why where there is something to say, when the file
// cannot be opened or read or is also the console's output, the user
// aborts, the data-input is gone from the file, is refused, or holds no
// link; kEnded when console input ended or the console failed. The file is
// closed before the chosen data-input is echoed.
Status readGraphFromDataFile(LinkArray& linkFrom, LinkArray& linkTo,
                             GraphName& name, Console& console,
                             const char* fileName = kDataFileName);

}  // namespace ugraph

#endif  // UGRAPH_DIALOGUE_DATA_FILE_H_
