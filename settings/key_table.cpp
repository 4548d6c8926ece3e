#include "settings/key_table.h"

#include <array>

namespace settings {
namespace {

constexpr const wchar_t* kOpt = L"Options";
constexpr const wchar_t* kCol = L"ColorsOptions";
constexpr const wchar_t* kMem = L"MemOptions";
constexpr const wchar_t* kWin = L"WindowResizeOptions";

using S = Settings;

KeyDef check(const wchar_t* key, int S::*f) { return {kOpt, key, f, Range::Clamp, 0, 1}; }
KeyDef option(const wchar_t* sec, const wchar_t* key, int S::*f, int max) {
    return {sec, key, f, Range::DefaultIfOut, 0, max};
}
KeyDef slider(const wchar_t* sec, const wchar_t* key, int S::*f, int min, int max) {
    return {sec, key, f, Range::Clamp, min, max};
}
KeyDef combo(const wchar_t* sec, const wchar_t* key, int S::*f, int max) {
    return {sec, key, f, Range::Clamp, -1, max};  // -1: nothing selected
}
KeyDef text(const wchar_t* sec, const wchar_t* key, std::wstring S::*f) { return {sec, key, f}; }
KeyDef twips(const wchar_t* sec, const wchar_t* key, float S::*f) { return {sec, key, f}; }
KeyDef colour(int i, const wchar_t* key) {
    return {kCol, key, &S::BackColor, Range::Any, 0, 0, i};
}

const std::array kTable = {
    check(L"IPMC", &S::IPMC),
    check(L"AInterface", &S::AInterface),
    check(L"AutoClose", &S::AutoClose),
    check(L"AutoSET", &S::AutoSET),
    check(L"IPSET", &S::IPSET),
    check(L"ProxyM", &S::ProxyM),
    check(L"TaskOnOff", &S::TaskOnOff),
    check(L"TaskCPU", &S::TaskCPU),
    check(L"TaskMEM", &S::TaskMEM),
    check(L"TaskIn", &S::TaskIn),
    check(L"TaskOut", &S::TaskOut),
    check(L"MemMenu", &S::MemMenu),
    check(L"AutoHddCheck", &S::AutoHddCheck),
    text(kOpt, L"RemoteHostIP", &S::RemoteHostIP),
    text(kOpt, L"ConnectedIP", &S::ConnectedIP),
    text(kOpt, L"ConnectedIP2", &S::ConnectedIP2),
    text(kOpt, L"ConnectedIP3", &S::ConnectedIP3),
    text(kOpt, L"RemotePort", &S::RemotePort),
    check(L"ClipConnection", &S::ClipConnection),
    check(L"AutoClipConnection", &S::AutoClipConnection),
    check(L"AutoResumeClipConnection", &S::AutoResumeClipConnection),
    option(kOpt, L"ByteBit", &S::ByteBit, 1),
    option(kOpt, L"SetFormTop", &S::SetFormTop, 1),
    option(kOpt, L"SetGraph", &S::SetGraph, 4),
    option(kOpt, L"MouseOver", &S::MouseOver, 1),
    KeyDef{kOpt, L"NetworkAdapter", &S::NetworkAdapter},  // checked against the adapter list
    option(kOpt, L"GbMb", &S::GbMb, 1),
    option(kOpt, L"DrawType", &S::DrawType, 1),
    check(L"NewVersionCheck", &S::NewVersionCheck),
    colour(0, L"BackColor00"),
    colour(1, L"BackColor01"),
    colour(2, L"BackColor02"),
    colour(3, L"BackColor03"),
    colour(4, L"BackColor04"),
    colour(5, L"BackColor05"),
    colour(6, L"BackColor06"),
    colour(7, L"BackColor07"),
    KeyDef{kMem, L"MemAuto", &S::MemAuto, Range::Clamp, 0, 1},
    slider(kMem, L"Slider1", &S::Slider1, 0, 1000),
    slider(kMem, L"Slider2", &S::Slider2, 0, 1000),
    slider(kMem, L"Slider3", &S::Slider3, 1, 120),
    slider(kMem, L"Slider4", &S::Slider4, 0, 100),
    slider(kMem, L"Slider5", &S::Slider5, 0, 240),
    slider(kMem, L"Slider6", &S::Slider6, 0, 60),
    slider(kMem, L"MemManualSize", &S::MemManualSize, 0, 1000),
    combo(kMem, L"MemDisplay", &S::MemDisplay, 2),
    twips(kWin, L"Width", &S::Width),
    twips(kWin, L"Height", &S::Height),
    slider(kOpt, L"InSlider", &S::InSlider, 1, 1600),  // 160 x the largest multiplier
    slider(kOpt, L"OutSlider", &S::OutSlider, 1, 1600),
    slider(kOpt, L"MainWindowRefreshTime", &S::MainWindowRefreshTime, 1, 100),
    slider(kOpt, L"AutoCloseRefreshTime", &S::AutoCloseRefreshTime, 1, 20),
    slider(kOpt, L"HddRefreshTime", &S::HddRefreshTime, 1, 60),
    twips(kOpt, L"X_WindowPosition", &S::X_WindowPosition),
    twips(kOpt, L"Y_WindowPosition", &S::Y_WindowPosition),
    twips(kOpt, L"WindowHeight", &S::WindowHeight),
    twips(kOpt, L"WindowWidth", &S::WindowWidth),
    twips(kOpt, L"WindowScaleHeight", &S::WindowScaleHeight),
    twips(kOpt, L"X_OptionWindowPosition", &S::X_OptionWindowPosition),
    twips(kOpt, L"Y_OptionWindowPosition", &S::Y_OptionWindowPosition),
    text(kOpt, L"MainListCheckMark", &S::MainListCheckMark),
    text(kOpt, L"MainList", &S::MainList),
    text(kCol, L"MainListColor1", &S::MainListColor1),
    text(kCol, L"MainListColor2", &S::MainListColor2),
    text(kCol, L"DrivesColor1", &S::DrivesColor1),
    text(kCol, L"DrivesColor2", &S::DrivesColor2),
    text(kOpt, L"DrivesCheckMark", &S::DrivesCheckMark),
    combo(kOpt, L"HddIndicationType1", &S::HddIndicationType1, 3),
    combo(kOpt, L"HddIndicationType2", &S::HddIndicationType2, 2),
};

}  // namespace

std::span<const KeyDef> keyTable() { return kTable; }

const KeyDef* findKey(const std::wstring& key) {
    for (const KeyDef& def : kTable)
        if (key == def.key) return &def;
    return nullptr;
}

}  // namespace settings
