@echo off
rem Подготовка к установке
mkdir "%SystemDrive%\InstallLogs" 2>nul
