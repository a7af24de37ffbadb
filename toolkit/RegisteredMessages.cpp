#include "toolkit/RegisteredMessages.h"

namespace WindowsToolkit {

const UINT UWM_PC_VALUECHANGED =
    RegisterWindowMessageA("UWM_PC_VALUECHANGED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}");
const UINT UWM_PC_HOVER = RegisterWindowMessageA("UWM_PC_HOVER-{19E51BEB-CF75-46aa-9890-B4178F0367D8}");
const UINT UWM_PC_LEAVE = RegisterWindowMessageA("UWM_PC_LEAVE-{19E51BEB-CF75-46aa-9890-B4178F0367D8}");
const UINT UWM_PC_RIGHTCLICKED =
    RegisterWindowMessageA("UWM_PC_RIGHTCLICKED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}");

}  // namespace WindowsToolkit
