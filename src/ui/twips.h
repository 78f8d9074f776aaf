#pragma once
// Layout positions are kept in twips (1440 per inch) and turned into pixels for the window's DPI.
namespace sq {

class TwipsConverter {
public:
    explicit TwipsConverter(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}
    // Rounded to the nearest pixel, so 15 twips are one pixel at 96 dpi.
    int ToPixels(int twips) const {
        const long long scaled = static_cast<long long>(twips) * dpi_;
        return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
    }

private:
    int dpi_;
};

}  // namespace sq
