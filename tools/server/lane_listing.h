#pragma once

#include <QString>

class ServerConnection;

// What `tillano-server status` prints: one line per lane, store and
// terminal, how many sales it sent, its last sale received (number, the
// sale's own date and time, when it arrived), how many it said were still
// waiting and since when, its sales set aside, and when it last called.
// Set-aside sales are then listed with their reason. Throws ServerError.
QString laneListing(ServerConnection &server);
