#pragma once

#include "portlisting.h"
#include "virtualboard.h"

// A virtual board in this process, listed as the only port, for as long as
// it lives.
class ListedBoard
{
public:
    ListedBoard()
    {
        if (!board.start())
            qFatal("virtual board: %s", qPrintable(board.errorString()));
        const PortCandidate listed = PortListing::boardAt(board.devicePath());
        PortListing::setSource([listed] { return QList<PortCandidate>{listed}; });
    }
    ~ListedBoard() { PortListing::setSource({}); }
    ListedBoard(const ListedBoard &) = delete;
    ListedBoard &operator=(const ListedBoard &) = delete;

    VirtualBoard board;
};
