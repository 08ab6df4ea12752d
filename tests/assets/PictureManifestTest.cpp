// Every picture and mask the program loads is on the generated disc, under the
// folder the program looks in, and reads as an 8-bit uncompressed DIB.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/assets/DiscPictures.h"

namespace {

using Names = std::vector<std::string>;

void Add(Names& out, const std::string& folder, const Names& files) {
    for (const std::string& f : files) out.push_back(folder + f);
}
Names Numbered(const std::string& pre, int from, int to, const std::string& post) {
    Names n;
    for (int i = from; i <= to; ++i) n.push_back(pre + std::to_string(i) + post);
    return n;
}
Names Join(std::initializer_list<Names> parts) {
    Names out;
    for (const Names& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

const std::string kA = "plinkpad/assets/";

Names Manifest() {
    Names m;
    // Start-up picture, shared masks.
    Add(m, kA + "all/", {"heronix.bmp"});
    Add(m, kA + "all/masks/nav/", {"n1mk.bmp", "nxmk.bmp", "zzmk.bmp"});
    Add(m, kA + "all/masks/RecPal/", Join({Numbered("p0", 1, 9, "mk.bmp"), {"p10mk.bmp", "p13mk.bmp"}}));
    // Hub, help, menu, About.
    Add(m, kA + "center/ce_bmp/",
        Join({{"Cecover.bmp", "Cebkgrnd.bmp", "cea1.bmp", "cer1.bmp", "About_st.bmp", "cet12.bmp", "cet22.bmp", "cet32.bmp", "cet42.bmp", "cet52.bmp"},
              Numbered("ceb", 1, 3, ".bmp"), Numbered("cew", 1, 4, ".bmp"), Numbered("cet", 1, 5, ".bmp"), Numbered("cec", 1, 5, ".bmp"),
              Numbered("ceq", 1, 4, ".bmp"), Numbered("cer", 2, 7, ".bmp")}));
    Add(m, kA + "center/ce_masks/",
        Join({{"Cehalomk.bmp", "cea1mk.bmp", "cer1mk.bmp"}, Numbered("ceb", 1, 3, "mk.bmp"), Numbered("cet", 1, 5, "mk.bmp")}));
    Add(m, kA + "center/ce_bmp/Cehp_bmp/",
        Join({{"Cehpgrnd.bmp", "Cehp!!.bmp", "Cehpgo.bmp", "Cehphelp.bmp", "Cehpkeys.bmp", "Cehpmisc.bmp", "Cehpnav.bmp", "Cehpopn1.bmp",
               "Cehpopn2.bmp", "Cehpquit.bmp", "Cehprec1.bmp", "Cehprec2.bmp", "Cehpz3.bmp"},
              Numbered("Cehpk", 1, 6, ".bmp")}));
    Add(m, kA + "center/ce_masks/Cehp_mk/",
        Join({{"Cehp!!mk.bmp", "Cehpgomk.bmp", "Cehphpmk.bmp", "Cehpkymk.bmp", "Cehpmcmk.bmp", "Cehpnamk.bmp", "Cehpo1mk.bmp", "Cehpo2mk.bmp",
               "Cehpqtmk.bmp", "Cehpr1mk.bmp", "Cehpr2mk.bmp", "Cehpz3mk.bmp"},
              Numbered("Cehpk", 1, 6, "mk.bmp")}));
    Add(m, kA + "center/menu/",
        Join({{"Cemenu.bmp", "Ceabout.bmp", "Ceabout2.bmp", "Cefile.bmp", "Cevolume.bmp"}, Numbered("Cefile", 1, 5, ".bmp"),
              Numbered("Cevolum", 1, 5, ".bmp")}));
    Add(m, kA + "center/menu/masks/", {"Ceabtmk.bmp", "Cefilemk.bmp", "Cevolmk.bmp"});
    // Record/Play palette skins and record help.
    const char* folders[6] = {"center", "star", "day", "kbot", "troid", "GAMA"};
    const char* prefixes[6] = {"Ce", "St", "Da", "Kb", "tr", "Ga"};
    const char* full[6] = {"Cepaback.bmp", "Stpaback.bmp", "Dabkgdbw.bmp", "Kbpaback.bmp", "trbkgrnd.bmp", "Gabkgdbw.bmp"};
    const char* compact[6] = {"Cebkgd2.bmp", "Stbkgd2.bmp", "Dabkgd2.bmp", "Kbbkgd2.bmp", "trbkgd2.bmp", "Gabkgd2.bmp"};
    for (int w = 0; w < 6; ++w) {
        const std::string f = kA + folders[w] + "/recpal/", p = prefixes[w];
        Add(m, f, Join({{full[w], compact[w], p + "rechp.bmp"}, Numbered(p + "p0", 1, 9, "up.bmp"), Numbered(p + "p", 10, 17, "up.bmp")}));
    }
    // Troid.
    Names trMasks = {"trs10mk.bmp", "trc1mk.bmp", "trzzmk.bmp"};
    for (int i = 1; i <= 12; ++i)
        if (i != 10) {
            const std::string n = (i < 10 ? "trs0" : "trs") + std::to_string(i);
            trMasks.push_back(n + "amk.bmp");
            trMasks.push_back(n + "bmk.bmp");
        }
    Add(m, kA + "troid/Image/",
        Join({{"trbkgrnd.bmp", "trs10up.bmp", "trs11up.bmp", "trs12up.bmp", "trc1up.bmp", "trzxup.bmp", "trsun.bmp", "tralt1.bmp", "tralt2.bmp",
               "Trn1up.bmp", "Trnxup.bmp", "Trnav.bmp"},
              Numbered("trs0", 1, 9, "up.bmp"), Numbered("trd", 1, 4, "up.bmp"), Numbered("trb", 1, 3, "up.bmp"), Numbered("trt", 1, 4, "up.bmp"),
              Numbered("trt", 1, 4, "sup.bmp")}));
    Add(m, kA + "troid/Masks/",
        Join({trMasks, Numbered("trd", 1, 4, "mk.bmp"), Numbered("trb", 1, 3, "mk.bmp"), Numbered("trt", 1, 4, "mk.bmp")}));
    // Star.
    Add(m, kA + "star/St_bmp/",
        Join({{"Stbkgrnd.bmp", "stc1.bmp", "stc2.bmp", "stzz.bmp", "stsun.bmp", "Stn1mk.bmp", "Stn_up.bmp", "Stnav.bmp", "Sts01.bmp",
               "Sts02_03.bmp", "Sts04.bmp", "Sts05_06.bmp", "Sts07_09.bmp", "Sts10_11.bmp", "Sts12_13.bmp", "Sts14_16.bmp", "Sts17_18.bmp",
               "Sts19.bmp", "Sts20_21.bmp", "Sts22.bmp", "Sts23_24.bmp", "Sts25_27.bmp", "Sts28_29.bmp", "Sts30_31.bmp", "Sts32_34.bmp",
               "Sts35_36.bmp"},
              Numbered("sta", 1, 5, ".bmp"), Numbered("stb", 1, 8, ".bmp")}));
    Add(m, kA + "star/Stmk_bmp/", Join({{"stc1mk.bmp", "stc2mk.bmp"}, Numbered("sta", 1, 5, "mk.bmp"), Numbered("stb", 1, 8, "mk.bmp")}));
    // kBot.
    Names keys, keyMasks;
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 5; ++c) {
            keys.push_back("kb" + std::to_string(r) + std::to_string(c) + "up.bmp");
            keyMasks.push_back("kb" + std::to_string(r) + std::to_string(c) + "mk.bmp");
        }
    Add(m, kA + "kbot/kb_bmp/",
        Join({{"Kbbkgrnd.bmp", "Kb1_2up.bmp", "Kb3sup.bmp", "Kb4sup.bmp", "kbzzup.bmp", "kbsun.bmp", "Kbalt1.bmp", "Kbalt2.bmp", "Kbn1up.bmp",
               "Kbnzup.bmp", "Kbnav.bmp"},
              Numbered("kbt", 1, 4, "up.bmp"), Numbered("kbd", 1, 4, "up.bmp"), Numbered("kbb", 1, 5, "up.bmp"), keys}));
    Add(m, kA + "kbot/kb_masks/",
        Join({{"kbzzmk.bmp"}, Numbered("kbt", 1, 4, "mk.bmp"), Numbered("kbd", 1, 4, "mk.bmp"), Numbered("kbb", 1, 5, "mk.bmp"), keyMasks}));
    // Gama.
    Names gaPics = {"Gabkgrnd.bmp", "ga31a.bmp",   "ga31b.bmp",   "ga31c_a.bmp", "ga31c_b.bmp", "ga41a_a.bmp", "ga41b_a.bmp", "ga41c_a.bmp",
                    "ga41a_b.bmp",  "ga41b_b.bmp", "ga41c_b.bmp", "Gazz_up.bmp", "ga_sun.bmp",  "Gan1.bmp",    "Ganx.bmp",    "Ga_nav.bmp"};
    Names gaMasks = {"ga31amk.bmp", "ga31bmk.bmp", "ga41amk.bmp", "ga41bmk.bmp", "Gabx_mk.bmp"};
    for (int key : {11, 12, 13, 14, 15, 16, 21, 22, 23, 24, 25, 26, 27, 28, 32, 33, 34, 35, 36, 37, 38, 39, 42, 43, 44, 45, 46, 47, 48}) {
        for (const char* look : {"a", "b", "c"}) gaPics.push_back("ga" + std::to_string(key) + look + ".bmp");
        gaMasks.push_back("ga" + std::to_string(key) + "mk.bmp");
    }
    Add(m, kA + "GAMA/ga_bmp/", Join({gaPics, Numbered("gab", 1, 4, "b.bmp"), Numbered("gab", 1, 4, "c.bmp")}));
    Add(m, kA + "GAMA/ga_masks/", gaMasks);
    // Day.
    Names pieces;
    for (int t = 1; t <= 9; ++t)
        for (const char* v : {"a", "b", "c"}) pieces.push_back("dat" + std::to_string(t) + v + ".bmp");
    Add(m, kA + "day/da_bmp/",
        Join({{"dapanel.bmp", "dac1.bmp", "daw1.bmp", "Dazz.bmp", "Da_sun.bmp", "Dan1.bmp", "Danx.bmp", "Da_nav.bmp"},
              Numbered("Dagrid_", 1, 3, ".bmp"), Numbered("dag", 1, 3, ".bmp"), Numbered("Dab", 1, 9, "a.bmp"), Numbered("Dab", 1, 9, "b.bmp"),
              pieces}));
    Add(m, kA + "day/da_masks/", {"Dag1_mk.bmp", "Dac1_mk.bmp", "Daw_mk.bmp", "Dab1_9mk.bmp"});
    return m;
}

TEST(PictureManifest, EveryNamedPictureIsOnTheDiscAndReads) {
    ASSERT_TRUE(disc::Find("Directx/Drivers")) << "the disc marker folder is missing";
    const Names names = Manifest();
    EXPECT_GT(names.size(), 600u);
    for (const std::string& n : names) {
        ASSERT_TRUE(disc::Find(n)) << "missing " << n;
        EXPECT_TRUE(disc::LoadPicture(n)) << "not an 8-bit uncompressed BMP: " << n;
    }
}

TEST(PictureManifest, FolderNamesHaveOneSpellingEach) {
    // The program ignores case, so two spellings of one folder would split it.
    for (const auto& e : std::filesystem::recursive_directory_iterator(disc::Root())) {
        if (!e.is_directory()) continue;
        std::vector<std::string> seen;
        for (const auto& child : std::filesystem::directory_iterator(e.path())) {
            std::string l = child.path().filename().string();
            for (char& c : l) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_EQ(std::count(seen.begin(), seen.end(), l), 0) << child.path();
            seen.push_back(l);
        }
    }
}

struct SizeCase {
    std::string path;
    int width, height;
};

TEST(PictureManifest, FixedSizePicturesHaveTheirSizes) {
    std::vector<SizeCase> cases = {
        {kA + "all/heronix.bmp", 610, 465},           {kA + "center/ce_bmp/Cebkgrnd.bmp", 610, 465},
        {kA + "center/ce_bmp/Cecover.bmp", 610, 465}, {kA + "center/ce_bmp/Cehp_bmp/Cehpgrnd.bmp", 610, 465},
        {kA + "center/ce_bmp/About_st.bmp", 374, 382}, {kA + "troid/Image/trbkgrnd.bmp", 608, 456},
        {kA + "star/St_bmp/Stbkgrnd.bmp", 608, 456},  {kA + "kbot/kb_bmp/Kbbkgrnd.bmp", 608, 456},
        {kA + "GAMA/ga_bmp/Gabkgrnd.bmp", 640, 480},  {kA + "day/da_bmp/dapanel.bmp", 590, 56},
    };
    for (int b = 1; b <= 3; ++b) cases.push_back({kA + "day/da_bmp/Dagrid_" + std::to_string(b) + ".bmp", 590, 389});
    const char* folders[6] = {"center", "star", "day", "kbot", "troid", "GAMA"};
    const char* prefixes[6] = {"Ce", "St", "Da", "Kb", "tr", "Ga"};
    const char* full[6] = {"Cepaback.bmp", "Stpaback.bmp", "Dabkgdbw.bmp", "Kbpaback.bmp", "trbkgrnd.bmp", "Gabkgdbw.bmp"};
    const char* compact[6] = {"Cebkgd2.bmp", "Stbkgd2.bmp", "Dabkgd2.bmp", "Kbbkgd2.bmp", "trbkgd2.bmp", "Gabkgd2.bmp"};
    for (int w = 0; w < 6; ++w) {
        const std::string f = kA + folders[w] + "/recpal/";
        cases.push_back({f + full[w], 120, 148});
        cases.push_back({f + compact[w], 120, 35});
        cases.push_back({f + prefixes[w] + "rechp.bmp", 374, 382});
    }
    for (const SizeCase& c : cases) {
        const auto dib = disc::LoadPicture(c.path);
        ASSERT_TRUE(dib) << c.path;
        EXPECT_EQ(dib->GetWidth(), c.width) << c.path;
        EXPECT_EQ(dib->GetHeight(), c.height) << c.path;
    }
}

}  // namespace
