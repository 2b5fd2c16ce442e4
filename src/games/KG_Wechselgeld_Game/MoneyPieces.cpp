#include "games/KG_Wechselgeld_Game/MoneyPieces.h"

#include <cmath>

#include "app/AppContext.h"
#include "framework/Glide.h"
#include "framework/Random.h"
#include "platform/FontManager.h"

namespace {
constexpr double kGlideRate = 8.0;
constexpr double kHomeDistance = 10.0;
constexpr int kLabelIds[3] = {144, 145, 146};

void DrawMoney(AppContext* app, int cents, Vec2 centre, Color color) {
    const money::Denomination& d = money::DenominationAt(money::IndexOfCents(cents));
    const float s = static_cast<float>(money::DrawScaleOf(cents));
    const Vec2 scale{s, s};
    const Vec2 topLeft{centre.x - d.half.x * s, centre.y - d.half.y * s};
    app->DrawSprite(app->texMisc4, &d.region, &scale, nullptr, 0.0, &topLeft, color);
}

// Coins are round: a click on the transparent corners of their picture misses them.
bool MoneyContains(int cents, Vec2 centre, float x, float y) {
    const Vec2 half = money::DrawnHalfOf(cents);
    const double dx = static_cast<double>(x) - centre.x, dy = static_cast<double>(y) - centre.y;
    if (money::IsCoin(cents)) return dx * dx + dy * dy <= static_cast<double>(half.x) * half.x;
    return std::fabs(dx) <= half.x && std::fabs(dy) <= half.y;
}
}  // namespace

MoneyPiece::MoneyPiece(float x, float y, int cents)
    : app(GetAppContext()), position{x, y}, target{x, y}, value(cents), scale(money::DrawScaleOf(cents)) {}

void MoneyPiece::Draw() const { DrawMoney(app, value, position, color); }

void MoneyPiece::Move() { position = Glide(position, target, app->frameTime, kGlideRate); }

bool MoneyPiece::Contains(float x, float y) const { return MoneyContains(value, position, x, y); }

bool MoneyPiece::HasArrived(double limit) const {
    const double dx = static_cast<double>(position.x) - target.x, dy = static_cast<double>(position.y) - target.y;
    return std::sqrt(dx * dx + dy * dy) <= limit;
}

MoneySource::MoneySource(Vec2 centre_, int cents, int stock_)
    : app(GetAppContext()), centre(centre_), stock(stock_), value(cents), scale(money::DrawScaleOf(cents)) {}

MoneySource::~MoneySource() { returning.Clear(true); }

void MoneySource::Draw() {
    DrawMoney(app, value, centre, color);
    for (MoneyPiece* piece : returning) piece->Draw();
}

void MoneySource::Update() {
    for (int i = returning.Count() - 1; i >= 0; --i) {
        MoneyPiece* piece = returning.Get(i);
        piece->Move();
        if (piece->HasArrived(kHomeDistance)) returning.RemoveAt(i, true);
    }
}

bool MoneySource::Contains(float x, float y) const { return MoneyContains(value, centre, x, y); }

MoneyPiece* MoneySource::Take() {
    if (stock == 0) return nullptr;
    if (stock > 0) --stock;
    return new MoneyPiece(centre.x, centre.y, value);
}

bool MoneySource::GiveBack(MoneyPiece* piece) {
    if (piece == nullptr || piece->value != value) return false;
    if (stock >= 0) ++stock;
    piece->SetTarget(centre.x, centre.y);
    returning.Add(piece);
    return true;
}

MoneyTray::MoneyTray(const money::Area& area_, int labelKind_, bool framed_, Font* labelFont_)
    : app(GetAppContext()), labelFont(labelFont_), labelKind(labelKind_), framed(framed_), area(area_) {}

money::Area MoneyTray::PieceArea() const {
    const float inset = framed ? kFrame + 2 : 0.0f;
    return money::Area{area.left + inset, area.top + kLabelBand, area.right - inset, area.bottom - inset};
}

void MoneyTray::Draw() {
    const float w = area.right - area.left, h = area.bottom - area.top;
    if (framed) {
        const Rect floor{410, 110, 490, 190};
        // The floor reaches under the frame, so that no gap opens between them when the
        // edges are rounded to pixels.
        const float under = kFrame - 2;
        const Vec2 floorScale{(w - 2 * under) / 80.0f, (h - 2 * under) / 80.0f};
        const Vec2 floorAt{area.left + under, area.top + under};
        app->DrawSprite(app->texMisc4, &floor, &floorScale, nullptr, 0.0, &floorAt, 0xFFFFFFFF);
    }
    const int kind = labelKind >= 0 && labelKind <= 2 ? labelKind : 0;
    GetFontManager()->DrawTextRect(app->GetText(kLabelIds[kind]), static_cast<int>(area.left),
                                   static_cast<int>(area.top + kFrame), static_cast<int>(area.right),
                                   static_cast<int>(area.top + kLabelBand), 0xFF000000, kTextCenter | kTextVCenter,
                                   labelFont);
    if (framed) {
        const Rect across{505, 0, 600, 5};
        const Rect down{500, 5, 505, 100};
        const Vec2 acrossScale{w / 95.0f, 1.0f};
        const Vec2 downScale{1.0f, h / 95.0f};
        const Vec2 top{area.left, area.top}, bottom{area.left, area.bottom - kFrame};
        const Vec2 left{area.left, area.top}, right{area.right - kFrame, area.top};
        app->DrawSprite(app->texMisc4, &across, &acrossScale, nullptr, 0.0, &top, 0xFFFFFFFF);
        app->DrawSprite(app->texMisc4, &across, &acrossScale, nullptr, 0.0, &bottom, 0xFFFFFFFF);
        app->DrawSprite(app->texMisc4, &down, &downScale, nullptr, 0.0, &left, 0xFFFFFFFF);
        app->DrawSprite(app->texMisc4, &down, &downScale, nullptr, 0.0, &right, 0xFFFFFFFF);
    }
    for (MoneyPiece* piece : pieces) piece->Draw();
}

void MoneyTray::Update() {
    for (MoneyPiece* piece : pieces) piece->Move();
}

Vec2 MoneyTray::RandomPoint(int cents) const {
    const double u1 = Random01();
    const double u2 = Random01();
    return money::PointInArea(PieceArea(), money::DrawnHalfOf(cents), u1, u2);
}

bool MoneyTray::HitAny(float x, float y) {
    for (int i = pieces.Count() - 1; i >= 0; --i)
        if (pieces.Get(i)->Contains(x, y)) return true;
    return false;
}

MoneyPiece* MoneyTray::TakeAt(float x, float y) {
    for (int i = pieces.Count() - 1; i >= 0; --i) {
        MoneyPiece* piece = pieces.Get(i);
        if (piece->Contains(x, y)) return pieces.RemoveAt(i, false);
    }
    return nullptr;
}

void MoneyTray::Add(MoneyPiece* piece, float x, float y) {
    if (piece == nullptr) return;
    const Vec2 at = money::ClampIntoArea(PieceArea(), piece->DrawnHalf(), Vec2{x, y});
    piece->SetTarget(at.x, at.y);
    pieces.Add(piece);
}
