#Requires AutoHotkey v2.0
::v2::version two
:*0?0B C0 O0 R0 T0 X0 Z0 SE:zeros::every option off
:C1OR:all::{Enter} %raw%
:T0:plain::a`tb
:SPK-1P5:speed::send mode and delays
::fn::
{
    MsgBox "code"
}
:X:act::Run "notepad"
::fin::final {Text}{Enter} line
