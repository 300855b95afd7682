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
        const QString path = board.devicePath();
        PortListing::setSource([path] {
            PortCandidate candidate;
            candidate.portName = path;
            candidate.hasVendorIdentifier = true;
            candidate.vendorIdentifier = 0x0D28;
            candidate.hasProductIdentifier = true;
            candidate.productIdentifier = 1;
            return QList<PortCandidate>{candidate};
        });
    }
    ~ListedBoard() { PortListing::setSource({}); }
    ListedBoard(const ListedBoard &) = delete;
    ListedBoard &operator=(const ListedBoard &) = delete;

    VirtualBoard board;
};
