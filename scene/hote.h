// What the computation pass needs of the windows, and nothing more: the
// main window implements it with its widgets, the command-line companion,
// the tests and the benchmarks with plain records.
#pragma once

#include <QString>

namespace zeno {

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Scene { Main, Reduced };   // Picture1 of Form1, Picture2 of Form2

// The check boxes that turn a scene over (value 0 unchecked, 1 checked).
enum class Flip {
    MainEW,     // Form1.CheckEW  "Inversion Est-Ouest"
    MainNS,     // Form1.CheckNS  "Inversion Nord-Sud"
    ReducedEW,  // Form2.Check1   "Inversion Est-Ouest"
    ReducedNS,  // Form2.Check2   "Invesion Nord-Sud"
};

// Every caption the pass writes. The order of the sixteen phenomenon labels
// is the blanking order.
enum class Caption {
    jourjuli, datetu, syst1, syst2, Form2,
    InfoIoEc, InfoIoOm, InfoIoOc, InfoIoPa,
    InfoEuropeEc, InfoEuropeOm, InfoEuropeOc, InfoEuropePa,
    InfoGanyEc, InfoGanyOm, InfoGanyOc, InfoGanyPa,
    InfoCaliEc, InfoCaliOm, InfoCaliOc, InfoCaliPa,
};
constexpr int kCaptionCount = 21;
constexpr int kFirstPhenomenonCaption = static_cast<int>(Caption::InfoIoEc);

// The objectName of the control behind a caption ("Form2" for the window title).
const char* captionName(Caption caption);

class Hote {
public:
    virtual ~Hote() = default;
    // Value of a flip check box, read anew at every disc.
    virtual int flip(Flip which) = 0;
    // Removes every drawing of a scene, keeps its background picture.
    // The reduced scene exists (hidden) from its first use on.
    virtual void clearScene(Scene scene) = 0;
    // Fill style solid, fill colour = colour, circle at (x, y) in the scene's
    // user coordinates with that radius and outline colour.
    virtual void drawDisc(Scene scene, float x, float y, float radius, Rgb colour) = 0;
    virtual void setCaption(Caption caption, const QString& text) = 0;
};

} // namespace zeno
