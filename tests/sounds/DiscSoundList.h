#pragma once
// Every sound file the program loads from the asset disc, with the folder it
// is looked up in, whether it is played as a loop, and which world's scale a
// single-note sound is tuned to.

#include <string>
#include <vector>

namespace soundtest {

enum class Group { Interface, Palette, Center, Star, Day, KBot, Troid, Gama };

struct DiscSound {
    std::string path;  // relative to the disc root
    Group group;
    bool loop;
    bool pitched;      // a single note: its pitch must lie on the group's scale
};

const std::vector<DiscSound>& AllDiscSounds();

// The scale of a group: tonic pitch class (0 = C) and the semitone steps.
struct GroupScale {
    int tonicPitchClass;
    std::vector<int> steps;
};
GroupScale ScaleOf(Group g);

const char* NameOf(Group g);

}  // namespace soundtest
