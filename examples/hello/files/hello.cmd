@echo off
type "%~dp0greeting.hello"
pause
