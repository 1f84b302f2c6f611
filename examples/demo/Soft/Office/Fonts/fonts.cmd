@echo off
rem Установка шрифтов
copy /y *.ttf "%WINDIR%\Fonts\"
