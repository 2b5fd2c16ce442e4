#include "games/KG_Wechselgeld_Game/KG_Wechselgeld_Game.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/AppContext.h"
#include "framework/ColourCues.h"
#include "framework/TextFormat.h"
#include "games/TickSeed.h"
#include "platform/FontManager.h"

namespace {
constexpr int kIdTitle = 140;
constexpr int kIdRules = 141;
constexpr int kIdRight = 142;
constexpr int kIdFewest = 143;
constexpr int kIdCheck = 133;
constexpr int kIdFewestVerdict = 460;
constexpr int kIdRightVerdict = 461;
constexpr int kIdWrongVerdict = 462;
constexpr int kIdEmptyTray = 463;
constexpr float kButtonHalfWidth = 100.0f;
constexpr float kButtonHalfHeight = 25.0f;

money::Area AreaOf(double left, double top, double right, double bottom, int W, int H) {
    return money::Area{static_cast<float>(left * W), static_cast<float>(top * H), static_cast<float>(right * W),
                       static_cast<float>(bottom * H)};
}
}  // namespace

KG_Wechselgeld_Game::KG_Wechselgeld_Game(int level) : KG_Wechselgeld_Game(level, TickCountSeed()) {}

KG_Wechselgeld_Game::KG_Wechselgeld_Game(int level_, unsigned seed) : Knobel_Game(level_, "geld.sav") {
    std::srand(seed);
    setup = money::ChangeLevelOf(level);
    labelFont_ = MakeFont("Arial", 25);
    const int W = app->screenWidth, H = app->screenHeight;
    // Price and payment get trays wide enough to lay out ten pieces side by side.
    priceTray = std::make_unique<MoneyTray>(AreaOf(0.04, 0.105, 0.48, 0.45, W, H), 0, true, labelFont_);
    paymentTray = std::make_unique<MoneyTray>(AreaOf(0.52, 0.105, 0.96, 0.45, W, H), 1, true, labelFont_);
    changeTray = std::make_unique<MoneyTray>(AreaOf(0.25, 0.55, 0.75, 0.8, W, H), 2, true, labelFont_);
    const std::vector<Vec2> centres = money::SupplyCentres(setup.denominationCount, W, H);
    for (int i = 0; i < setup.denominationCount; ++i)
        sources.Add(new MoneySource(centres[i], money::DenominationAt(i).cents));
    rightCount = fewestCount = tasksDone = 0;
    playTime = 0.0;
    NewTask();
}

KG_Wechselgeld_Game::~KG_Wechselgeld_Game() {
    delete heldChange;
    delete heldPrice;
    delete heldPayment;
    heldChange = heldPrice = heldPayment = nullptr;
    sources.Clear(true);
}

void KG_Wechselgeld_Game::NewTask() {
    delete heldChange;
    delete heldPrice;
    delete heldPayment;
    heldChange = heldPrice = heldPayment = nullptr;
    changeTray->Clear();
    priceTray->Clear();
    paymentTray->Clear();
    const money::ChangeTask task = money::DealChangeTask(setup, priceTray->PieceArea(), paymentTray->PieceArea());
    for (const money::DealtPiece& p : task.price) priceTray->Add(new MoneyPiece(p.at.x, p.at.y, p.cents), p.at.x, p.at.y);
    for (const money::DealtPiece& p : task.payment)
        paymentTray->Add(new MoneyPiece(p.at.x, p.at.y, p.cents), p.at.x, p.at.y);
    priceTotal = task.priceTotal;
    paymentTotal = task.paymentTotal;
}

MoneyPiece* KG_Wechselgeld_Game::HeldPiece() const {
    if (heldChange != nullptr) return heldChange;
    if (heldPrice != nullptr) return heldPrice;
    return heldPayment;
}

bool KG_Wechselgeld_Game::OnButton(float x, float y) const {
    const float cx = app->screenWidth / 2, cy = app->screenHeight / 2;
    return cx - kButtonHalfWidth <= x && x <= cx + kButtonHalfWidth && cy - kButtonHalfHeight <= y &&
           y <= cy + kButtonHalfHeight;
}

void KG_Wechselgeld_Game::OnMouseMove(uint16_t x, uint16_t y) {
    if (!Playing()) return;
    if (MoneyPiece* held = HeldPiece()) held->SetTarget(x, y);
}

void KG_Wechselgeld_Game::OnLButtonDown(uint16_t x, uint16_t y) {
    if (!Playing() || InVerdict()) return;
    // A press while a piece is still held (its button-up was lost) drops it first.
    if (HoldsPiece()) DropHeldPiece(x, y);
    buttonPressed = false;
    // The supply pieces overlap at the higher levels: the one drawn last lies on top.
    for (int i = sources.Count() - 1; i >= 0; --i) {
        MoneySource* source = sources.Get(i);
        if (!source->Contains(x, y)) continue;
        heldChange = source->Take();
        if (heldChange != nullptr) {
            heldChange->SetTarget(x, y);
            return;
        }
    }
    MoneyPiece** held = nullptr;
    MoneyPiece* piece = nullptr;
    if ((piece = changeTray->TakeAt(x, y)) != nullptr) {
        held = &heldChange;
    } else if ((piece = priceTray->TakeAt(x, y)) != nullptr) {
        held = &heldPrice;
    } else if ((piece = paymentTray->TakeAt(x, y)) != nullptr) {
        held = &heldPayment;
    }
    if (held != nullptr) {
        *held = piece;
        piece->SetTarget(x, y);
        return;
    }
    buttonPressed = OnButton(x, y) && buttonRest <= 0.0;
}

// Change goes into the change tray, or flies back to its supply; price and payment pieces
// never leave their trays: dropped elsewhere, they land on a random spot of their own tray.
void KG_Wechselgeld_Game::DropHeldPiece(float x, float y) {
    if (heldChange != nullptr) {
        MoneyPiece* piece = heldChange;
        heldChange = nullptr;
        if (changeTray->Contains(x, y)) {
            changeTray->Add(piece, x, y);
            return;
        }
        bool home = false;
        for (MoneySource* source : sources)
            if (source->GiveBack(piece)) {
                home = true;
                break;
            }
        if (!home) delete piece;
        return;
    }
    auto drop = [&](MoneyPiece*& held, MoneyTray& tray) {
        MoneyPiece* piece = held;
        held = nullptr;
        const Vec2 at = tray.Contains(x, y) ? Vec2{x, y} : tray.RandomPoint(piece->value);
        tray.Add(piece, at.x, at.y);
    };
    if (heldPrice != nullptr) drop(heldPrice, *priceTray);
    else if (heldPayment != nullptr) drop(heldPayment, *paymentTray);
}

void KG_Wechselgeld_Game::OnLButtonUp(uint16_t x, uint16_t y) {
    if (!Playing() || InVerdict()) return;
    if (HoldsPiece()) {
        DropHeldPiece(x, y);
        buttonPressed = false;
        return;
    }
    // The button acts only on a release that ends a press begun on it.
    const bool pressed = buttonPressed && OnButton(x, y);
    buttonPressed = false;
    if (!pressed) return;
    buttonRest = kButtonRest;
    if (changeTray->Count() == 0) {
        verdict = Verdict::kEmptyTray;
        verdictTime = kHintSeconds;
        return;
    }
    Check();
}

void KG_Wechselgeld_Game::Check() {
    std::vector<int> pieces;
    for (MoneyPiece* piece : changeTray->pieces) pieces.push_back(piece->value);
    const money::ChangeVerdict v = money::JudgeChange(Change(), pieces, setup.denominationCount);
    rightCount += v.right ? 1 : 0;
    fewestCount += v.fewest ? 1 : 0;
    tasksDone += 1;
    ShowVerdict(v);
}

void KG_Wechselgeld_Game::Update() {
    AdvanceTime(running && state == kStatePlaying && !InVerdict());
    if (!running) return;
    if (state == kStatePlaying && buttonRest > 0.0) buttonRest -= app->realFrameTime;
    // The verdict runs only while the game is played: a game left during it stays left.
    // The request for pieces goes as soon as one lies in the tray.
    if (verdict == Verdict::kEmptyTray && changeTray->Count() > 0) verdictTime = 0.0, verdict = Verdict::kNone;
    if (state == kStatePlaying && verdictTime > 0.0) {
        const bool judged = InVerdict();
        verdictTime -= app->frameTime;
        if (verdictTime <= 0.0) {
            verdictTime = 0.0;
            verdict = Verdict::kNone;
            if (judged) {
                if (tasksDone < setup.taskCount) NewTask();
                else state = kStateOver;
            }
        }
    }
    changeTray->Update();
    priceTray->Update();
    paymentTray->Update();
    for (MoneySource* source : sources) source->Update();
    if (heldChange != nullptr) heldChange->Move();
    if (heldPrice != nullptr) heldPrice->Move();
    if (heldPayment != nullptr) heldPayment->Move();
}

double KG_Wechselgeld_Game::SecondsUntilChange() {
    if (Playing() && buttonRest > 0.0) return 0.0;  // the rest after a button runs out
    if (Playing() && verdictTime > 0.0) return std::min(verdictTime, Knobel_Game::SecondsUntilChange());
    return Knobel_Game::SecondsUntilChange();
}

void KG_Wechselgeld_Game::DrawButton() {
    const float cx = app->screenWidth / 2, cy = app->screenHeight / 2;
    // While pressed and under the pointer the button sinks a little.
    const float sink = buttonPressed && OnButton(app->mouseX, app->mouseY) ? 2.0f : 0.0f;
    const Rect src{400, 600, 600, 650};
    const Vec2 at{cx - kButtonHalfWidth, cy - kButtonHalfHeight + sink};
    app->DrawSprite(app->texMenu2, &src, nullptr, nullptr, 0.0, &at, 0xFFFFFFFF);
    fontManager->DrawTextRect(app->GetText(kIdCheck), static_cast<int>(at.x), static_cast<int>(at.y),
                              static_cast<int>(at.x + 2 * kButtonHalfWidth),
                              static_cast<int>(at.y + 2 * kButtonHalfHeight), 0xFF000000,
                              kTextCenter | kTextVCenter, font);
}

void KG_Wechselgeld_Game::Render() {
    if (!running) return;
    if (state == kStatePlaying) {
        DrawTimePanel();
        if (InVerdict()) DrawVerdict();
        else DrawButton();
    }
    changeTray->Draw();
    priceTray->Draw();
    paymentTray->Draw();
    for (MoneySource* source : sources) source->Draw();
    if (heldChange != nullptr) heldChange->Draw();
    if (heldPayment != nullptr) heldPayment->Draw();
    if (heldPrice != nullptr) heldPrice->Draw();
    if (state == kStatePlaying && verdict == Verdict::kEmptyTray && verdictTime > 0.0) DrawVerdict();
}

const char* KG_Wechselgeld_Game::GetHelpText() { return app->GetText(kIdRules); }
const char* KG_Wechselgeld_Game::GetTitle() { return app->GetText(kIdTitle); }

const char* KG_Wechselgeld_Game::GetResultText() {
    ComputeGrade();
    return FrameResultText({FormatText(app->GetText(kIdRight), rightCount, setup.taskCount),
                            FormatText(app->GetText(kIdFewest), fewestCount, setup.taskCount)});
}

void KG_Wechselgeld_Game::ComputeGrade() { grade = GradeOfTerms(GradeTerms()); }

GradeTermList KG_Wechselgeld_Game::GradeTerms() const {
    return money::ChangeTerms(state == kStateOver, rightCount, fewestCount, tasksDone, setup.taskCount, playTime,
                              money::ChangeSecondsPerGrade(setup));
}

// A mistake is a wrong change; right change is made of the fewest pieces. A brisk player counts
// a piece of price and payment in about 1.4 s, giving the change included.
PlayShape KG_Wechselgeld_Game::ShapeOfPlay() {
    return {setup.taskCount, 1.4 * (setup.pricePieces + setup.paymentPieces), true};
}

void KG_Wechselgeld_Game::SetPlayedResult(const PlayedResult& r) {
    tasksDone = r.done;
    rightCount = fewestCount = r.done - r.wrong;
    EndPlayed(r);
}

void KG_Wechselgeld_Game::ShowVerdict(const money::ChangeVerdict& v) {
    verdict = v.fewest ? Verdict::kFewest : v.right ? Verdict::kRight : Verdict::kWrong;
    verdictTime = v.right ? kVerdictSeconds : kWrongVerdictSeconds;
    app->PlaySound(v.right ? 1 : 11, 1.0f);
    if (!v.right) LayOutRightChange();
}

void KG_Wechselgeld_Game::LayOutRightChange() {
    changeTray->Clear();
    const std::vector<int> pieces = money::GreedySplit(Change(), setup.denominationCount);
    const money::Area a = changeTray->PieceArea();
    constexpr float kGap = 6.0f;
    // Rows as wide as the tray allows, largest pieces first; each row centred.
    std::vector<std::vector<int>> rows(1);
    float width = 0.0f;
    for (int cents : pieces) {
        const float w = 2.0f * money::DrawnHalfOf(cents).x + kGap;
        if (!rows.back().empty() && width + w > a.right - a.left) rows.emplace_back(), width = 0.0f;
        rows.back().push_back(cents);
        width += w;
    }
    const float rowHeight = (a.bottom - a.top) / static_cast<float>(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        float rowWidth = 0.0f;
        for (int cents : rows[r]) rowWidth += 2.0f * money::DrawnHalfOf(cents).x + kGap;
        float x = (a.left + a.right - rowWidth) / 2.0f;
        const float y = a.top + rowHeight * (static_cast<float>(r) + 0.5f);
        for (int cents : rows[r]) {
            const float half = money::DrawnHalfOf(cents).x;
            MoneyPiece* piece = new MoneyPiece(x + kGap / 2 + half, y, cents);
            changeTray->Add(piece, x + kGap / 2 + half, y);
            piece->position = piece->target;  // shown at once, nothing glides
            x += 2.0f * half + kGap;
        }
    }
}

// A band where the check button was: a tick or a cross, and the verdict in words; after wrong
// change the amount it should have been. On an empty tray the band only asks for pieces.
void KG_Wechselgeld_Game::DrawVerdict() {
    if (verdict == Verdict::kEmptyTray) {
        // Where the pieces belong, in the empty tray.
        const money::Area a = changeTray->PieceArea();
        const char* hint = app->GetText(kIdEmptyTray);
        if (hint != nullptr)
            fontManager->DrawTextRect(hint, static_cast<int>(a.left) + 10, static_cast<int>(a.top),
                                      static_cast<int>(a.right) - 10, static_cast<int>(a.bottom), 0xFF000000,
                                      kTextCenter | kTextVCenter | kTextWordBreak, labelFont_);
        return;
    }
    const float cx = app->screenWidth / 2.0f, cy = app->screenHeight / 2.0f;
    constexpr float kHalfWidth = 270.0f;
    const Rect src{0, 700, 300, 750};
    const Vec2 scale{2.0f * kHalfWidth / 300.0f, 1.0f};
    const Vec2 at{cx - kHalfWidth, cy - 25.0f};
    app->DrawSprite(app->texMenu2, &src, &scale, nullptr, 0.0, &at, 0xFFFFFFFF);
    auto textOf = [this](int id) { const char* t = app->GetText(id); return std::string(t != nullptr ? t : ""); };
    std::string text;
    int mark = -1;
    switch (verdict) {
        case Verdict::kFewest: text = textOf(kIdFewestVerdict), mark = kCueTick; break;
        case Verdict::kRight: text = textOf(kIdRightVerdict), mark = kCueTick; break;
        case Verdict::kWrong:
            text = FormatText(app->GetText(kIdWrongVerdict), Change() / 100, Change() % 100);
            mark = kCueCross;
            break;
        default: break;
    }
    const float textLeft = mark >= 0 ? at.x + 50.0f : at.x + 10.0f;
    if (mark >= 0) DrawCueMark(*app, mark, Vec2{at.x + 30.0f, cy}, 36.0f);
    fontManager->DrawTextRect(text.c_str(), static_cast<int>(textLeft), static_cast<int>(at.y),
                              static_cast<int>(cx + kHalfWidth - 10.0f), static_cast<int>(at.y + 50.0f), 0xFF000000,
                              kTextCenter | kTextVCenter, font);
}

// The supply pieces (each at the middle of the part no later piece covers), the pieces in the
// change tray and the check button.
std::vector<KeyPlace> KG_Wechselgeld_Game::KeyPlaces() {
    std::vector<KeyPlace> places;
    if (!Playing()) return places;
    std::vector<MoneySource*> all;
    for (MoneySource* source : sources) all.push_back(source);
    for (MoneySource* source : all) {
        const Vec2 half = money::DrawnHalfOf(source->value);
        int first = -1, last = -1;
        for (int x = static_cast<int>(source->centre.x - half.x); x <= static_cast<int>(source->centre.x + half.x); ++x) {
            MoneySource* top = nullptr;
            for (MoneySource* s : all)
                if (s->Contains(static_cast<float>(x), source->centre.y)) top = s;
            if (top != source) continue;
            if (first < 0) first = x;
            last = x;
        }
        if (first < 0) continue;
        KeyPlace p = PlaceAround(source->centre.x, source->centre.y, half.x, half.y);
        p.x = (first + last) / 2;
        places.push_back(p);
    }
    for (MoneyPiece* piece : changeTray->pieces) {
        const Vec2 half = piece->DrawnHalf();
        places.push_back(PlaceAround(piece->position.x, piece->position.y, half.x, half.y));
    }
    places.push_back(PlaceAround(app->screenWidth / 2.0f, app->screenHeight / 2.0f, kButtonHalfWidth, kButtonHalfHeight));
    return places;
}
