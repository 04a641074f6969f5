; AutoHotkey v1 hotstrings
#SingleInstance Force
::btw::by the way
:O:sig::Best regards,`nAnn ; a comment after the text
::pct::50% off + (free) ~ shipping {Raw}^!+{}
::keys::Dear{Space}Sir,{Enter}{Tab}^a!f+x{Left 3}{! 2}{U+00E9}
:R:raw::^c{Enter} stays as typed
:T:txt::{Tab} as text
::win::#r opens Run
::ctl::{Ctrl down}c{Ctrl up}
:*:star::fires at once
:?:ques::inside words
:C:Case::only this case
:C1:anycase::case ignored
:B0:keep::trigger stays
:X:code::MsgBox hi
:ZK10P1SI:misc::delays and send modes
:Q:odd::an unknown option
::semi;::a trigger of punctuation
::badu::{U+D800} is half a character
::many::{x 20000}
::run::
MsgBox, code
return
::para::
(
First line
  Second `t line
)
:O:joined::
(LTrim Join`s
  one
  two
)
/*
::hidden::inside a block comment
*/
#Hotstring O
::defo::O for every hotstring from here
#Hotstring O0 *
::defstar::star by default
#Hotstring EndChars -()[]{}
#Hotstring *0
::last::the end
