#include "tests/sounds/DiscSoundList.h"

namespace soundtest {

namespace {

std::string Num(int n, int width) {
    std::string s = std::to_string(n);
    while (int(s.size()) < width) s = "0" + s;
    return s;
}

class Builder {
public:
    explicit Builder(std::vector<DiscSound>& out) : m_out(out) {}
    void Folder(std::string folder, Group g) {
        m_folder = std::move(folder);
        m_group = g;
    }
    void Shot(const std::string& name, bool pitched = false) { m_out.push_back({m_folder + name, m_group, false, pitched}); }
    void Tone(const std::string& name) { Shot(name, true); }
    void Loop(const std::string& name) { m_out.push_back({m_folder + name, m_group, true, false}); }

private:
    std::vector<DiscSound>& m_out;
    std::string m_folder;
    Group m_group = Group::Interface;
};

std::vector<DiscSound> Collect() {
    std::vector<DiscSound> all;
    Builder b(all);
    const std::string root = "plinkpad/assets/";

    b.Folder(root + "all/Gen_wavs/", Group::Interface);
    for (const char* f : {"Warning.wav", "Save.wav", "Nonono.wav", "Cancel.wav", "Close.wav", "Navup.wav", "Nav_c.wav",
                          "Recup.wav", "Rec_c.wav", "Zz_c.wav"})
        b.Shot(f);

    b.Folder(root + "all/Rec_wavs/", Group::Palette);
    for (const char* f : {"Restop_c.wav", "Rerec_c.wav", "Recone_c.wav", "Resmall.wav", "Rerolovr.wav", "Replay_c.wav",
                          "Rebutt_c.wav"})
        b.Shot(f);

    b.Folder(root + "center/ce_wav/", Group::Center);
    for (const char* f : {"cea1.wav", "Cea1_c.wav", "Cea1_no.wav", "Ceb1_c.wav", "ceb2_c.wav", "ceb3_c.wav", "cer1.wav",
                          "cer1_c.wav", "Cer1_2.wav", "Cehaloin.wav", "Cehaloot.wav"})
        b.Shot(f);
    for (const char* f : {"ceb1.wav", "ceb2.wav", "ceb3.wav"}) b.Tone(f);
    // World w's roll-over in world n's key (n = 1..5), before a choice (6),
    // and its preview loop (7).
    for (int w = 1; w <= 5; ++w) {
        for (int n = 1; n <= 6; ++n) b.Shot("cet" + std::to_string(w) + std::to_string(n) + ".wav");
        b.Loop("cet" + std::to_string(w) + "7.wav");
    }
    for (int n = 1; n <= 5; ++n) b.Loop("ceabout" + std::to_string(n) + ".wav");

    b.Folder(root + "troid/Audio/", Group::Troid);
    for (int i = 1; i <= 12; ++i) b.Tone("trs" + Num(i, 2) + ".wav");
    for (int i = 1; i <= 4; ++i) {
        const std::string n = std::to_string(i);
        b.Tone("trd" + n + ".wav");
        b.Tone("Trd" + n + "_c.wav");
        b.Tone("trt" + n + ".wav");
        b.Tone("Trt" + n + "_c.wav");
    }
    for (int i = 1; i <= 6; ++i) b.Shot("trr" + std::to_string(i) + ".wav");
    for (const char* f : {"Trmisc_c.wav", "Trc1in.wav", "Trc1out.wav", "Trloop_c.wav", "Trloop2.wav"}) b.Shot(f);
    for (int i = 1; i <= 8; ++i) b.Loop("trloop_" + std::to_string(i) + ".wav");

    b.Folder(root + "star/st_wav/", Group::Star);
    for (int i = 1; i <= 4; ++i) {
        b.Tone("sta" + std::to_string(i) + ".wav");
        b.Tone("sta" + std::to_string(i) + "_c.wav");
    }
    for (const char* f : {"sta5_in.wav", "sta5_out.wav", "Stc_c.wav", "Stc1.wav", "Stc2.wav", "Stmisc_c.wav", "Stmisc2c.wav"})
        b.Shot(f);
    for (int i : {1, 4, 5, 8}) b.Tone("stb" + std::to_string(i) + "_c.wav");
    for (int i : {2, 3, 6, 7}) {
        const std::string n = std::to_string(i);
        b.Tone("stb" + n + "a.wav");
        b.Tone("stb" + n + "b.wav");
        b.Tone("stb" + n + "_c.wav");
    }
    for (int i = 1; i <= 6; ++i) b.Shot("Stnoiz_" + std::to_string(i) + ".wav");
    b.Folder(root + "star/st_wav/Loops/", Group::Star);
    for (const char* family : {"Sta1_", "Stc1_", "Stc2_"})
        for (int i = 1; i <= 5; ++i) b.Loop(family + std::to_string(i) + ".wav");

    b.Folder(root + "kbot/kb_wav/", Group::KBot);
    for (const char* f : {"Kbb5.wav", "Kbb5_out.wav", "Kbb5_c.wav", "Kbloop2.wav", "Kbmisc.wav"}) b.Shot(f);
    for (int i = 1; i <= 4; ++i) {
        const std::string n = std::to_string(i);
        b.Tone("kbd" + n + ".wav");
        b.Tone("kbt" + n + ".wav");
        b.Tone("Kbt" + n + "_c.wav");
    }
    for (int i = 1; i <= 6; ++i) b.Shot("kbr" + std::to_string(i) + ".wav");
    for (int row = 1; row <= 4; ++row)
        for (int col = 1; col <= 5; ++col) b.Tone("kb" + std::to_string(row) + "_" + std::to_string(col) + ".wav");
    for (int i = 1; i <= 8; ++i) b.Loop("Kbloop_" + std::to_string(i) + ".wav");

    b.Folder(root + "GAMA/ga_wav/", Group::Gama);
    const struct {
        int row, count;
    } rows[] = {{1, 6}, {2, 8}, {3, 9}, {4, 8}};
    for (const auto& r : rows) {
        for (int k = 1; k <= r.count; ++k) {
            // Key 1 of the lower rows has two parts, a and b.
            std::vector<std::string> stems;
            if (k == 1 && r.row >= 3) {
                stems = {"Ga" + std::to_string(r.row) + "_1a", "Ga" + std::to_string(r.row) + "_1b"};
            } else {
                stems = {"Ga" + std::to_string(r.row) + "_" + std::to_string(k)};
            }
            for (const std::string& stem : stems)
                for (const char* v : {"a", "b", "c"}) b.Tone(stem + v + ".wav");
        }
    }
    for (const char* f : {"Gamisc.wav", "Galoop_c.wav", "Galoop2.wav"}) b.Shot(f);
    for (int i = 1; i <= 8; ++i) b.Loop("Galp" + std::to_string(i) + ".wav");

    b.Folder(root + "day/da_wav/", Group::Day);
    for (int t = 1; t <= 9; ++t)
        for (const char* v : {"a", "b", "c"}) b.Tone("Dat" + std::to_string(t) + v + ".wav");
    for (int i = 1; i <= 5; ++i) b.Shot("Dabx" + std::to_string(i) + ".wav");
    for (const char* f : {"Dabx_c.wav", "Dagrid_c.wav", "Daw1_c.wav", "Daloop_c.wav", "Daloop2.wav", "Damisc.wav"}) b.Shot(f);
    for (int i = 1; i <= 9; ++i) b.Loop("Daloop_" + std::to_string(i) + ".wav");
    return all;
}

}  // namespace

const std::vector<DiscSound>& AllDiscSounds() {
    static const std::vector<DiscSound> all = Collect();
    return all;
}

GroupScale ScaleOf(Group g) {
    switch (g) {
    case Group::Center:
        return {0, {0, 2, 4, 5, 7, 9}};  // C major hexatonic
    case Group::Star:
        return {2, {0, 2, 4, 6, 9}};  // D lydian pentatonic
    case Group::Day:
        return {5, {0, 2, 4, 7, 9}};  // F major pentatonic
    case Group::KBot:
        return {7, {0, 2, 4, 7, 10}};  // G dominant pentatonic
    case Group::Troid:
        return {4, {0, 3, 5, 7, 10}};  // E minor pentatonic
    case Group::Gama:
        return {9, {0, 1, 3, 7, 8}};  // A pelog
    default:
        return {0, {0, 2, 4, 7, 9}};
    }
}

const char* NameOf(Group g) {
    static const char* names[] = {"interface", "palette", "center", "star", "day", "kbot", "troid", "gama"};
    return names[int(g)];
}

}  // namespace soundtest
