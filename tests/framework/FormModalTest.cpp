#include "HeadlessApp.h"

namespace {

class FormModal : public HeadlessApp {};

class TCreatedForm : public TForm {
  public:
    explicit TCreatedForm(TComponent* owner) : TForm(owner) {
        OnCreate = [this](TObject*) { createdWith = ClientWidth(); };
        SetClientWidth(321);
        child = InsertControl(std::make_unique<TWinControl>(this));
        child->SetName("Child");
        Own(std::make_unique<TComponent>(this))->SetName("Timer1");
        loadingInConstructor = child->Loading();
    }
    int createdWith = -1;
    bool loadingInConstructor = false;
    TWinControl* child;
};

TEST_F(FormModal, OuterAndClientSizesDifferByTheFrameAndCentringUsesTheOuterSize) {
    auto form = MakeForm<TForm>();
    form->SetClientWidth(673);
    form->SetClientHeight(475);
    EXPECT_EQ(form->Width(), 681);
    EXPECT_EQ(form->Height(), 509);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (1280 - 681) / 2);
    EXPECT_EQ(form->Top(), (800 - 509) / 2);
    THeadlessWindow& w = WindowOf(*form);
    EXPECT_EQ(w.ClientBounds(), Bounds(form->Left() + 4, form->Top() + 30, 673, 475));
    EXPECT_EQ(w.Kind(), wkSizeable);

    form->SetBorderStyle(bsDialog);
    EXPECT_EQ(form->ClientWidth(), 673) << "changing the border keeps the client size";
    EXPECT_EQ(form->ClientToScreen({0, 0}), (TPoint{form->Left() + 3, form->Top() + 29}));
}

TEST_F(FormModal, MakeFormLoadsComponentsThenRunsOnCreateOnce) {
    auto form = MakeForm<TCreatedForm>(nullptr);
    EXPECT_TRUE(form->loadingInConstructor);
    EXPECT_FALSE(form->child->Loading());
    EXPECT_EQ(form->createdWith, 321);
    EXPECT_EQ(form->FindComponent("Child"), form->child);
    ASSERT_NE(form->FindComponent("Timer1"), nullptr);
    EXPECT_EQ(form->FindComponent("Timer1")->Owner(), form.get());
    EXPECT_EQ(form->FindComponent("Missing"), nullptr);
    form->createdWith = 0;
    form->Show();
    EXPECT_EQ(form->createdWith, 0);
}

TEST_F(FormModal, ShowModalReturnsTheResultSetInsideItsLoop) {
    auto owner = MakeShownForm(400, 300);
    owner->SetCaption("owner");
    auto dialog = MakeForm<TForm>(owner.get());
    dialog->SetCaption("dialog");
    dialog->SetBorderStyle(bsDialog);
    dialog->SetPosition(poOwnerFormCenter);
    bool ownerDisabled = false;
    host.Schedule(250, [&] {
        ownerDisabled = !WindowOf(*owner).Enabled();
        EXPECT_EQ(host.ActiveWindow(), &WindowOf(*dialog));
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(WindowOf(*owner).Enabled());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(host.ActiveWindow(), &WindowOf(*owner));
    EXPECT_EQ(host.Now(), 250u);
    // Centred on its owner.
    EXPECT_EQ(dialog->Left() + dialog->Width() / 2, owner->Left() + owner->Width() / 2);
}

TEST_F(FormModal, ClosingAModalFormGivesCancelAndTimersRunInsideTheLoop) {
    auto dialog = MakeForm<TForm>();
    int ticks = 0;
    app.SetTimer(100, [&] {
        if (++ticks == 3) host.RequestClose(*host.FindWindow("d"));
    });
    dialog->SetCaption("d");
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(ticks, 3);

    // A refusing OnCloseQuery keeps it open until the next try.
    int asked = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    host.Schedule(10, [&] { dialog->Close(); });
    host.Schedule(20, [&] { dialog->Close(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(host.Now(), 320u);
}

TEST_F(FormModal, AModalLoopWithNothingLeftToHappenEndsInsteadOfHanging) {
    auto dialog = MakeForm<TForm>();
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(FormModal, ClosingTheMainFormEndsTheRun) {
    TForm* main = nullptr;
    app.CreateForm(main);
    EXPECT_EQ(app.MainForm(), main);
    bool closedSeen = false;
    main->OnClose = [&](TObject*, TCloseAction& action) {
        closedSeen = true;
        EXPECT_EQ(action, caFree);
    };
    host.Schedule(1000, [&] { host.RequestClose(WindowOf(*main)); });
    app.Run();
    EXPECT_TRUE(closedSeen);
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(host.Now(), 1000u);
}

TEST_F(FormModal, AnExceptionReachingTheLoopIsShownInAMessageBox) {
    auto form = MakeShownForm(300, 200);
    auto* button = AddProbe(*form, "button", Bounds(10, 10, 50, 20), clRed);
    button->OnClick = [](TObject*) { throw std::runtime_error("boom"); };
    std::string shownCaption;
    bool ownerDisabled = false;
    host.Schedule(100, [&] {
        THeadlessWindow* box = host.TopWindow();
        ASSERT_NE(box, nullptr);
        shownCaption = box->Caption();
        ownerDisabled = !WindowOf(*form).Enabled();
        host.PressKey(vkReturn);
    });
    host.Click(WindowOf(*form), 20, 20);
    EXPECT_EQ(shownCaption, "Vigil");
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(host.TopWindow(), &WindowOf(*form));
    EXPECT_TRUE(WindowOf(*form).Enabled());
}

TEST_F(FormModal, HostResizeRepaintsAndRealigns) {
    auto form = MakeShownForm(100, 100, clWhite);
    auto* fill = AddProbe(*form, "fill", Bounds(0, 0, 1, 1), clRed);
    fill->SetAlign(alClient);
    host.Advance(1);
    host.Resize(WindowOf(*form), 150, 120);
    EXPECT_EQ(form->Width(), 158);
    EXPECT_EQ(WindowOf(*form).PixelColor(149, 119), clRed);
}

}  // namespace
