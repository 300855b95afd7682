#pragma once

#include <QtGlobal>

// What the panel knows about the board and its serial line.
namespace Board {

constexpr quint16 vendorId = 0x0D28;
constexpr qint32 baudRate = 115200;

// The pause between commands; it also lets queued bytes reach the line.
constexpr int waitMs = 150;

// Longest reply line kept; anything longer is garbage.
constexpr int maxLineLength = 256;

// Bytes a port may hold unread before Qt stops reading from the system.
constexpr qint64 maxPendingBytes = qint64(64) * 1024;

} // namespace Board
