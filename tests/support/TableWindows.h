// The program's windows for a test of the table: the table window, its memory
// aid and the tournament's dialog made and tied together as the program does,
// the table shown in English, with no stored placement from an earlier test
// and no pause that waits.
#pragma once
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "platform/Components.h"
#include "platform/Placement.h"
#include "platform/TestSeams.h"
#include "tests/support/Support.h"

#include <QCoreApplication>
#include <QSettings>

#include <gtest/gtest.h>

class TableWindowsFixture : public ::testing::Test
{
protected:
    void MakeWindows()
    {
        QSettings(StoreOrganisation, StoreApplication).clear();
        SetDelayOverride(0);
        Main = new TfrmMain;
        Memory = new TfrmMemory;
        SetScore = new TfrmSetScore;
        for (QObject* Form : std::initializer_list<QObject*>{Main, Memory, SetScore})
            RegisterApplicationComponent(Form);
        Main->Attach(Memory, SetScore, nullptr);
        Main->menuEnglishClick();
        Main->show();
    }
    void DestroyWindows()
    {
        delete SetScore;
        delete Memory;
        delete Main;
        ClearApplicationComponents();
        SetMessageBoxHandler({});
        SetDelayOverride(std::nullopt);
    }

    void Click(Qt::MouseButton Button, int X, int Y) { MousePress(Main->TableArea(), Button, X, Y); }

    TfrmMain* Main = nullptr;
    TfrmMemory* Memory = nullptr;
    TfrmSetScore* SetScore = nullptr;
};

// The windows made and a game dealt; message boxes go unanswered.
class DealtTableFixture : public TableWindowsFixture
{
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([](const QString&) {});
        MakeWindows();
        QCoreApplication::processEvents();
        Main->menuNewGameClick();
    }
    void TearDown() override { DestroyWindows(); }
};
