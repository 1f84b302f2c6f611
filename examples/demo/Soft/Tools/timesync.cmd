@echo off
rem Синхронизация часов
w32tm /resync /nowait
