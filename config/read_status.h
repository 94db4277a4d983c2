// The status every reader of the description file returns: go on, or stop reading the file.
#pragma once

enum ReadStatus {
    ReadOk = 0,
    ReadStop = 7,
};
