#include "tools/mediagen/catalog.h"

#include <cstdio>

#include "tools/mediagen/asteroids.h"
#include "tools/mediagen/bmpfile.h"
#include "tools/mediagen/icons.h"
#include "tools/mediagen/jpegfile.h"
#include "tools/mediagen/planets.h"
#include "tools/mediagen/shipart.h"
#include "tools/mediagen/sounds.h"
#include "tools/mediagen/title.h"

namespace mediagen {

namespace {

Output GamePicture(std::string path, const Image& img) { return {Root::Game, std::move(path), EncodeBmp(img)}; }

}  // namespace

std::vector<Job> AllJobs() {
    std::vector<Job> jobs;
    jobs.push_back({"contact sheet", 60, [] {
                        return std::vector<Output>{{Root::Game, kContactSheetPath, MakeContactSheet()}};
                    }});
    jobs.push_back({"title", 30, [] {
                        const Bytes jpeg = EncodeJpeg(RenderTitle(), 90);
                        const std::string inc = BytesAsInitializer(jpeg);
                        return std::vector<Output>{{Root::Generated, "title.jpg", jpeg},
                                                   {Root::Generated, "title_jpeg.inc", Bytes(inc.begin(), inc.end())}};
                    }});
    for (const SoundSpec& s : SoundSpecs()) {
        const int cost = s.path == "snd/fanfare2.wav" ? 40 : 2;
        jobs.push_back({s.path, cost, [&s] {
                            return std::vector<Output>{{Root::Game, s.path, EncodeWav(ToPcm(s.make()))}};
                        }});
    }
    // Ship frames: each class in four runs of fifteen frames.
    constexpr int kRun = 15;
    for (int c = 0; c < kShipClassCount; ++c) {
        for (int first = 1; first <= kShipFrameCount; first += kRun) {
            jobs.push_back({"ship " + std::to_string(c) + " from " + std::to_string(first), 3, [c, first] {
                                std::vector<Output> out;
                                for (int f = first; f < first + kRun && f <= kShipFrameCount; ++f)
                                    out.push_back(GamePicture(ShipFramePath(c, f), RenderShipFrame(c, f)));
                                return out;
                            }});
        }
        jobs.push_back(
            {"thumbnail " + std::to_string(c), 1, [c] {
                 char name[32];
                 std::snprintf(name, sizeof name, "thumbs/ship%02d.bmp", c);
                 return std::vector<Output>{{Root::Generated, name, EncodeBmp(RenderShip(c, 0.0f, kThumbnailSize))}};
             }});
    }
    jobs.push_back({"asteroid", 6, [] {
                        std::vector<Output> out;
                        for (int f = 1; f <= kAsteroidFrameCount; ++f)
                            out.push_back(GamePicture(AsteroidPath(f), RenderAsteroidFrame(f)));
                        return out;
                    }});
    for (const PlanetSpec& p : PlanetSpecs()) {
        jobs.push_back(
            {PlanetPath(p), 2, [&p] { return std::vector<Output>{GamePicture(PlanetPath(p), RenderPlanet(p))}; }});
    }
    jobs.push_back({"icons", 1, [] {
                        std::vector<Output> out;
                        for (int k = 0; k < kSubsystemCount; ++k) {
                            out.push_back(GamePicture(IconPath(k, false), RenderIcon(k, false)));
                            out.push_back(GamePicture(IconPath(k, true), RenderIcon(k, true)));
                        }
                        return out;
                    }});
    jobs.push_back({"dust", 2, [] { return std::vector<Output>{GamePicture("img/planets/Dust.bmp", RenderDust())}; }});
    jobs.push_back({"pointer", 1, [] { return std::vector<Output>{GamePicture("img/pointer.bmp", RenderPointer())}; }});
    return jobs;
}

}  // namespace mediagen
