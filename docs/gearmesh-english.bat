@echo off
rem Starts gearmesh with its console texts and window title in English.
"%~dp0gearmesh.exe" --english
