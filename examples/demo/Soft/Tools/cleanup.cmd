@echo off
rem Уборка после установки
del /q "%TEMP%\*.*" 2>nul
