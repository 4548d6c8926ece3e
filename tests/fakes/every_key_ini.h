#pragma once
#include <string>

#include "fakes/this_version.h"

namespace fakes {

// A settings file with every key the save command writes, each away from its default, in the
// order a save writes them into a file that holds only the version. The native suite and the
// Win32 one (under the real profile functions) both save it back byte for byte.
inline const std::string kEveryKeyIni =
    versionOnlyIni() +
    "IPMC=1\r\nAInterface=0\r\nAutoClose=1\r\nAutoSET=0\r\nIPSET=1\r\nProxyM=1\r\n"
    "TaskOnOff=1\r\nTaskCPU=1\r\nTaskMEM=1\r\nTaskIn=1\r\nTaskOut=1\r\nMemMenu=1\r\n"
    "AutoHddCheck=0\r\n"
    "RemoteHostIP=\x90\xda\x91\xb1\x90\xe6.example.jp\r\n"  // "接続先" in code page 932
    "ConnectedIP=10.0.0.1\r\nConnectedIP2=10.0.0.2\r\nConnectedIP3=10.0.0.3\r\n"
    "RemotePort=6001\r\nClipConnection=1\r\nAutoClipConnection=1\r\n"
    "AutoResumeClipConnection=1\r\nByteBit=1\r\nSetFormTop=0\r\nSetGraph=4\r\nMouseOver=1\r\n"
    "NetworkAdapter=-1\r\nGbMb=1\r\nDrawType=0\r\nNewVersionCheck=0\r\n"
    "InSlider=400\r\nOutSlider=1600\r\nMainWindowRefreshTime=100\r\n"
    "AutoCloseRefreshTime=20\r\nHddRefreshTime=60\r\n"
    "X_WindowPosition=-1500\r\nY_WindowPosition=750\r\nWindowHeight=3000\r\n"
    "WindowWidth=2010\r\nWindowScaleHeight=180\r\nX_OptionWindowPosition=15\r\n"
    "Y_OptionWindowPosition=0\r\n"
    "MainListCheckMark=010101010101010101010111\r\n"
    "MainList=100101102103104105106107108109110111112113114115116117118119121122123100\r\n"
    "DrivesCheckMark=C0E\r\nHddIndicationType1=0\r\nHddIndicationType2=2\r\n"
    "[ColorsOptions]\r\n"
    "BackColor00=-2147483633\r\nBackColor01=255\r\nBackColor02=65280\r\nBackColor03=0\r\n"
    "BackColor04=1\r\nBackColor05=-2147483643\r\nBackColor06=16777215\r\nBackColor07=4210752\r\n"
    "MainListColor1=00000000255 00000065280 00016711680 00000000000 -2147483633 00000000001 "
    "00000000002 00000000003 00000000004 00000000005 00000000006 00000000007 00000000008 "
    "00000000009 00000000010 00000000011 00000000012 00000000013 00000000014 00000000015 "
    "00000000016 00000000017 00000000018 00016777215\r\n"
    "MainListColor2=00016777215 00008454016 00000000000 -2147483643 00000000100 00000000101 "
    "00000000102 00000000103 00000000104 00000000105 00000000106 00000000107 00000000108 "
    "00000000109 00000000110 00000000111 00000000112 00000000113 00000000114 00000000115 "
    "00000000116 00000000117 00000000118 00012632256\r\n"
    "DrivesColor1=00000000001 00000000002 00000000003 00000000004 00000000005 00000000006 "
    "00000000007 00000000008 00000000009 00000000010 00000000011 00000000012 00000000013 "
    "00000000014 -2147483633\r\n"
    "DrivesColor2=00000000101 00000000102 00000000103 00000000104 00000000105 00000000106 "
    "00000000107 00000000108 00000000109 00000000110 00000000111 00000000112 00000000113 "
    "00000000114 00000000000\r\n"
    "[MemOptions]\r\n"
    "MemAuto=1\r\nSlider1=500\r\nSlider2=20\r\nSlider3=120\r\nSlider4=0\r\nSlider5=240\r\n"
    "Slider6=60\r\nMemManualSize=1000\r\nMemDisplay=2\r\n"
    "[WindowResizeOptions]\r\nWidth=9000\r\nHeight=-150\r\n"
    "[History]\r\nLeft=-720\r\nTop=300\r\nWidth=7200\r\nHeight=4800\r\n"
    "[Alerts]\r\nCpuOn=1\r\nCpuPercent=75\r\nCpuSeconds=3600\r\nMemoryOn=1\r\n"
    "MemoryPercent=100\r\nDriveOn=1\r\nDrivePercent=1\r\nTrafficOn=1\r\n"
    "TrafficMB=10000000\r\nTrayLoadIcon=1\r\n"
    "[Display]\r\nLanguage=en\r\n"
    "[Export]\r\nOn=1\r\nPort=19184\r\nAddress=127.0.0.2\r\nAllowed=127.0.0.3\r\n";

}  // namespace fakes
