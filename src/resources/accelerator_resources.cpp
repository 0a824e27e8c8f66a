// The desktop keys: the commands people reach for with a keyboard, through
// the same command ids as the menus and picture buttons.
#include "winres.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "windows.h"

namespace {

constexpr BYTE kKey = FVIRTKEY;
constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
constexpr BYTE kCtrlShift = FVIRTKEY | FCONTROL | FSHIFT;
constexpr BYTE kAlt = FVIRTKEY | FALT;

const ACCEL kMainKeys[] = {
    {kCtrl, 'N', res::kCmdNewItem},
    {kCtrlShift, 'N', res::kCmdNewSubItem},
    {kCtrl, 'F', res::kCmdFind},
    {kKey, VK_F3, res::kCmdFindNextKey},
    {kKey, VK_F1, res::kCmdAbout},
};

const ACCEL kOutlineKeys[] = {
    {kKey, VK_F2, res::kCmdEditLabelKey},
    {kKey, VK_DELETE, res::kCmdItemDelete},
    {kCtrl, 'X', res::kCmdCut},
    {kCtrl, 'C', res::kCmdCopy},
    {kCtrl, 'V', res::kCmdPaste},
    {kCtrl, 'D', res::kCmdItemDuplicate},
    {kCtrl, 'Z', res::kCmdUndo},
    {kAlt, VK_DOWN, res::kCmdMoveDownKey},
    {kAlt, VK_UP, res::kCmdMoveUpKey},
    {kAlt, VK_LEFT, res::kCmdMoveLeftKey},
    {kAlt, VK_RIGHT, res::kCmdMoveRightKey},
};

}  // namespace

void registerAcceleratorResources() {
    device::resourceRegister(device::kResAccelerator, res::kAccelMain, kMainKeys, sizeof kMainKeys);
    device::resourceRegister(device::kResAccelerator, res::kAccelOutline, kOutlineKeys, sizeof kOutlineKeys);
}
