#pragma once
// A session described for people: per track its cut's name, world, event
// count by kind, playing time and the Day board it restores.

#include <string>

#include "recording/codec/SessionData.h"

std::string DescribeSession(const SessionTracks& tracks);
